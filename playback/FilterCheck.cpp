#include "playback/FilterCheck.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

// Brightness rides on the colour conversion, so probe exactly the conversion the engine uses.
bool CanShiftBrightness() {
    SwsContext* context = sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_BGRA,
                                         SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context)
        return false;
    const int* table = sws_getCoefficients(SWS_CS_ITU601);
    const bool ok =
        sws_setColorspaceDetails(context, table, 0, table, 1, 1 << 14, 1 << 16, 1 << 16) >= 0;
    sws_freeContext(context);
    return ok;
}

} // namespace

PlaybackPieces ProbePlaybackPieces() {
    PlaybackPieces pieces;
    pieces.h264Decoder = avcodec_find_decoder(AV_CODEC_ID_H264) != nullptr;
    pieces.mp4Demuxer = av_find_input_format("mp4") != nullptr;
    pieces.brightness = CanShiftBrightness();
    return pieces;
}

int CheckPlaybackPieces(const PlaybackPieces& pieces) {
    if (!pieces.h264Decoder)
        return FilterCheck::NoH264Decoder;
    if (!pieces.mp4Demuxer)
        return FilterCheck::NoMp4Demuxer;
    if (!pieces.brightness)
        return FilterCheck::NoBrightness;
    return FilterCheck::AllPresent;
}
