// Measures the playback engine on one clip, for bench/playback/playback-bench.sh:
//   decode CLIP   read, decode and convert every frame to 688 x 387 BGRA as fast as possible
//   seek CLIP N   N random exact seeks while paused: median and 95th percentile in ms
//   gop CLIP      the time plain FFmpeg takes to decode one group of pictures (median, ms)
//   open CLIP N   opening the clip N times as the engine does, index rebuild included (median, ms)
#include "playback/MediaFile.h"
#include "playback/MediaReader.h"
#include "playback/PacketQueue.h"
#include "playback/PictureWait.h"
#include "playback/PlaybackEngine.h"
#include "playback/VideoDecoder.h"
#include "playback/VideoFrameQueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

constexpr QSize VideoAreaSize(688, 387);

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[size_t(fraction * double(values.size() - 1) + 0.5)];
}

int Decode(const QString& clip) {
    QString error;
    std::unique_ptr<MediaFile> file = MediaFile::Open(clip, error);
    if (!file)
        return 1;
    if (file->AudioStream())
        file->AudioStream()->discard = AVDISCARD_ALL;
    std::mutex mutex;
    std::condition_variable arrived;
    PacketQueue packets;
    VideoFrameQueue frames([&] {
        { std::lock_guard lock(mutex); }
        arrived.notify_all();
    });
    VideoDecoder decoder(*file, packets, frames, DecodePace::AsFastAsPossible);
    if (!decoder.Open())
        return 1;
    decoder.SetTarget({VideoAreaSize, {}, 0});
    packets.Flush(1, 0);
    frames.Flush(1);
    MediaReader reader(*file, packets, nullptr);
    QElapsedTimer timer;
    timer.start();
    decoder.Start();
    reader.Start();
    int count = 0;
    for (;;) {
        qint64 position;
        int serial;
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] { return frames.Peek(position, serial) || frames.Ended(1); });
        lock.unlock();
        if (!frames.Peek(position, serial))
            break;
        count += !frames.Pop().picture.isNull();
    }
    std::printf("frames %d seconds %.3f\n", count, timer.nsecsElapsed() / 1e9);
    reader.Abort();
    packets.Abort();
    frames.Abort();
    return 0;
}

int Seek(const QString& clip, int count) {
    PlaybackEngine player(nullptr);
    player.Attach(VideoAreaSize);
    if (!player.Open(clip))
        return 1;
    player.Pause();
    QRandomGenerator random(2024);
    std::vector<double> latencies;
    for (int i = 0; i < count; ++i) {
        const int target = random.bounded(int(player.DurationMs()));
        QElapsedTimer timer;
        timer.start();
        player.SeekMs(target);
        if (!WaitForShownPicture(*player.Graph(), 10000))
            return 1;
        latencies.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("median %.1f p95 %.1f\n", Percentile(latencies, 0.5), Percentile(latencies, 0.95));
    return 0;
}

// One group of pictures, from a key frame to the next, with the engine's decoder settings.
int Gop(const QString& clip) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, clip.toLocal8Bit().constData(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(format, nullptr) < 0)
        return 1;
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVCodec* codec = avcodec_find_decoder(format->streams[video]->codecpar->codec_id);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    QRandomGenerator random(2024);
    std::vector<double> times;
    const double seconds = format->duration / double(AV_TIME_BASE);
    for (int run = 0; run < 20; ++run) {
        AVCodecContext* context = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(context, format->streams[video]->codecpar);
        context->thread_count = 0;
        context->thread_type = FF_THREAD_FRAME;
        avcodec_open2(context, codec, nullptr);
        const qint64 at = qint64(random.bounded(seconds - 2) * AV_TIME_BASE);
        av_seek_frame(format, -1, at, AVSEEK_FLAG_BACKWARD);
        QElapsedTimer timer;
        timer.start();
        int keyFrames = 0;
        bool done = false;
        while (!done && av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == video) {
                keyFrames += (packet->flags & AV_PKT_FLAG_KEY) != 0;
                // The next key frame ends the group; decoding what is in flight finishes it.
                done = keyFrames == 2;
                avcodec_send_packet(context, done ? nullptr : packet);
                while (avcodec_receive_frame(context, frame) >= 0)
                    av_frame_unref(frame);
            }
            av_packet_unref(packet);
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
        avcodec_free_context(&context);
    }
    std::printf("median %.1f\n", Percentile(times, 0.5));
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&format);
    return 0;
}

int OpenTimes(const QString& clip, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!MediaFile::Open(clip, error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("median %.1f\n", Percentile(times, 0.5));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() >= 3 && args[1] == "decode")
        return Decode(args[2]);
    if (args.size() >= 4 && args[1] == "seek")
        return Seek(args[2], args[3].toInt());
    if (args.size() >= 3 && args[1] == "gop")
        return Gop(args[2]);
    if (args.size() >= 4 && args[1] == "open")
        return OpenTimes(args[2], args[3].toInt());
    std::fprintf(stderr, "usage: karvenna-playback-bench decode|gop CLIP | seek|open CLIP N\n");
    return 2;
}
