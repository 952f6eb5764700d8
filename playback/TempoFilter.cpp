#include "playback/TempoFilter.h"

#include "playback/MediaTime.h"
#include "playback/PcmQueue.h"

#include <QByteArray>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
}

TempoFilter::TempoFilter(double rate) : rate_(rate) {
    graph_ = avfilter_graph_alloc();
    if (!graph_)
        return;
    graph_->nb_threads = 1;
    const QByteArray sourceArgs = QByteArray("sample_rate=") +
                                  QByteArray::number(PcmQueue::SampleRate) +
                                  ":sample_fmt=s16:channel_layout=stereo:time_base=1/" +
                                  QByteArray::number(PcmQueue::SampleRate);
    const QByteArray tempoArgs = "tempo=" + QByteArray::number(rate, 'f', 6);
    AVFilterContext* source = nullptr;
    AVFilterContext* tempo = nullptr;
    AVFilterContext* sink = nullptr;
    if (avfilter_graph_create_filter(&source, avfilter_get_by_name("abuffer"), "in",
                                     sourceArgs.constData(), nullptr, graph_) < 0 ||
        avfilter_graph_create_filter(&tempo, avfilter_get_by_name("atempo"), "tempo",
                                     tempoArgs.constData(), nullptr, graph_) < 0 ||
        avfilter_graph_create_filter(&sink, avfilter_get_by_name("abuffersink"), "out", nullptr,
                                     nullptr, graph_) < 0)
        return;
    const AVSampleFormat formats[] = {AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_NONE};
    if (av_opt_set_int_list(sink, "sample_fmts", formats, AV_SAMPLE_FMT_NONE,
                            AV_OPT_SEARCH_CHILDREN) < 0 ||
        avfilter_link(source, 0, tempo, 0) < 0 || avfilter_link(tempo, 0, sink, 0) < 0 ||
        avfilter_graph_config(graph_, nullptr) < 0)
        return;
    source_ = source;
    sink_ = sink;
}

TempoFilter::~TempoFilter() {
    avfilter_graph_free(&graph_);
}

qint64 TempoFilter::Process(const qint16* samples, int frames, qint64 position,
                            std::vector<qint16>& out) {
    if (!IsValid())
        return position;
    if (!started_) {
        started_ = true;
        startPosition_ = position;
    }
    if (samples) {
        AVFrame* frame = av_frame_alloc();
        if (!frame)
            return startPosition_;
        frame->format = AV_SAMPLE_FMT_S16;
        frame->sample_rate = PcmQueue::SampleRate;
        av_channel_layout_default(&frame->ch_layout, PcmQueue::Channels);
        frame->nb_samples = frames;
        frame->pts = framesIn_;
        if (av_frame_get_buffer(frame, 0) >= 0) {
            std::memcpy(frame->data[0], samples, size_t(frames) * PcmQueue::BytesPerFrame);
            if (av_buffersrc_add_frame(source_, frame) >= 0)
                framesIn_ += frames;
        }
        av_frame_free(&frame);
    } else if (av_buffersrc_add_frame(source_, nullptr) < 0) {
        return startPosition_;
    }
    // Output frame n plays the input heard at n * rate after the start.
    const qint64 outPosition =
        startPosition_ + qint64(std::llround(double(framesOut_) * rate_ *
                                             MediaTime::UnitsPerSecond / PcmQueue::SampleRate));
    AVFrame* frame = av_frame_alloc();
    while (frame && av_buffersink_get_frame(sink_, frame) >= 0) {
        const auto* data = reinterpret_cast<const qint16*>(frame->data[0]);
        out.insert(out.end(), data, data + qsizetype(frame->nb_samples) * PcmQueue::Channels);
        framesOut_ += frame->nb_samples;
        av_frame_unref(frame);
    }
    av_frame_free(&frame);
    return outPosition;
}
