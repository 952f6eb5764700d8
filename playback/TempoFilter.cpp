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

TempoFilter::TempoFilter(double rate) : m_rate(rate) {
    m_graph = avfilter_graph_alloc();
    if (!m_graph)
        return;
    m_graph->nb_threads = 1;
    const QByteArray sourceArgs = QByteArray("sample_rate=") +
                                  QByteArray::number(PcmQueue::SampleRate) +
                                  ":sample_fmt=s16:channel_layout=stereo:time_base=1/" +
                                  QByteArray::number(PcmQueue::SampleRate);
    const QByteArray tempoArgs = "tempo=" + QByteArray::number(rate, 'f', 6);
    AVFilterContext* source = nullptr;
    AVFilterContext* tempo = nullptr;
    AVFilterContext* sink = nullptr;
    if (avfilter_graph_create_filter(&source, avfilter_get_by_name("abuffer"), "in",
                                     sourceArgs.constData(), nullptr, m_graph) < 0 ||
        avfilter_graph_create_filter(&tempo, avfilter_get_by_name("atempo"), "tempo",
                                     tempoArgs.constData(), nullptr, m_graph) < 0 ||
        avfilter_graph_create_filter(&sink, avfilter_get_by_name("abuffersink"), "out", nullptr,
                                     nullptr, m_graph) < 0)
        return;
    const AVSampleFormat formats[] = {AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_NONE};
    if (av_opt_set_int_list(sink, "sample_fmts", formats, AV_SAMPLE_FMT_NONE,
                            AV_OPT_SEARCH_CHILDREN) < 0 ||
        avfilter_link(source, 0, tempo, 0) < 0 || avfilter_link(tempo, 0, sink, 0) < 0 ||
        avfilter_graph_config(m_graph, nullptr) < 0)
        return;
    m_source = source;
    m_sink = sink;
}

TempoFilter::~TempoFilter() {
    avfilter_graph_free(&m_graph);
}

qint64 TempoFilter::Process(const qint16* samples, int frames, qint64 position,
                            std::vector<qint16>& out) {
    if (!IsValid())
        return position;
    if (!m_started) {
        m_started = true;
        m_startPosition = position;
    }
    if (samples) {
        AVFrame* frame = av_frame_alloc();
        if (!frame)
            return m_startPosition;
        frame->format = AV_SAMPLE_FMT_S16;
        frame->sample_rate = PcmQueue::SampleRate;
        av_channel_layout_default(&frame->ch_layout, PcmQueue::Channels);
        frame->nb_samples = frames;
        frame->pts = m_framesIn;
        if (av_frame_get_buffer(frame, 0) >= 0) {
            std::memcpy(frame->data[0], samples, size_t(frames) * PcmQueue::BytesPerFrame);
            if (av_buffersrc_add_frame(m_source, frame) >= 0)
                m_framesIn += frames;
        }
        av_frame_free(&frame);
    } else if (av_buffersrc_add_frame(m_source, nullptr) < 0) {
        return m_startPosition;
    }
    // Output frame n plays the input heard at n * rate after the start.
    const qint64 outPosition =
        m_startPosition + qint64(std::llround(double(m_framesOut) * m_rate *
                                              MediaTime::UnitsPerSecond / PcmQueue::SampleRate));
    AVFrame* frame = av_frame_alloc();
    while (frame && av_buffersink_get_frame(m_sink, frame) >= 0) {
        const auto* data = reinterpret_cast<const qint16*>(frame->data[0]);
        out.insert(out.end(), data, data + qsizetype(frame->nb_samples) * PcmQueue::Channels);
        m_framesOut += frame->nb_samples;
        av_frame_unref(frame);
    }
    av_frame_free(&frame);
    return outPosition;
}
