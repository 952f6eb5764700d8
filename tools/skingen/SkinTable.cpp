#include "tools/skingen/SkinTable.h"

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Pictures.h"

namespace {

using namespace BitmapId;
using namespace ButtonLook;

constexpr ButtonLooks One(int id) {
    return {id, 0, 0, 0, 0};
}

SkinRow Picture(int id, QSize size, const char* role, PictureFn paint, Backdrop backdrop = {}) {
    return {One(id), size, role, paint, nullptr, Face::Flat, backdrop};
}

SkinRow Button(const ButtonLooks& looks, QSize size, const char* role, GlyphFn glyph, Face face,
               Backdrop backdrop = {}) {
    return {looks, size, role, nullptr, glyph, face, backdrop};
}

// Where the things drawn over a background stand on it.
Backdrop OnMain(int x, int y) {
    return {MainBackground, {x, y}};
}
Backdrop OnSettings(int x, int y) {
    return {SettingsBackground, {x, y}};
}
Backdrop OnControlBar(int y) {
    return {ControlBarBackground, {20, y}};
}
// The settings pages are plain: every control of a page stands on the same ground.
const Backdrop OnPage = OnSettings(40, 300);
// The map pane's header strip holds the speed digits and the map buttons.
Backdrop OnMapHeader(int x, int y) {
    return {MapHeader, {x, y}};
}

std::vector<SkinRow> MakeRows() {
    return {
        // Backgrounds first: the rest is drawn over them.
        Picture(AppIcon, {64, 64}, "application icon", PaintAppIcon),
        Picture(MapHeader, {324, 28}, "map pane header strip", PaintMapHeader),
        Picture(MainBackground, {1022, 682}, "main window background", PaintMainBackground),
        Picture(SettingsBackground, {615, 667}, "settings dialog background",
                PaintSettingsBackground),
        Picture(ControlBarBackground, {1920, 44}, "full-screen control bar", PaintControlBar),
        Picture(TitleBarBackground, {1920, 40}, "full-screen title bar", PaintTitleBar),
        Picture(GSensorGraph, {370, 114}, "G-sensor graph", PaintGraph),
        Picture(ElapsedTimeBack, {50, 13}, "elapsed time read-out", PaintTimeBack, OnMain(40, 494)),
        Picture(TotalTimeBack, {50, 13}, "total time read-out", PaintTimeBack, OnMain(364, 494)),
        Picture(FileNameBack, {180, 13}, "file name read-out", PaintFileNameBack, OnMain(265, 59)),
        Picture(321, {10, 15}, "speed digit 0", PaintSpeedDigit),
        Picture(322, {10, 15}, "speed digit 1", PaintSpeedDigit),
        Picture(323, {10, 15}, "speed digit 2", PaintSpeedDigit),
        Picture(324, {10, 15}, "speed digit 3", PaintSpeedDigit),
        Picture(325, {10, 15}, "speed digit 4", PaintSpeedDigit),
        Picture(326, {10, 15}, "speed digit 5", PaintSpeedDigit),
        Picture(327, {10, 15}, "speed digit 6", PaintSpeedDigit),
        Picture(328, {10, 15}, "speed digit 7", PaintSpeedDigit),
        Picture(329, {10, 15}, "speed digit 8", PaintSpeedDigit),
        Picture(330, {10, 15}, "speed digit 9", PaintSpeedDigit),
        Picture(ScrollUpArrow, {17, 16}, "scroll bar up arrow", PaintScrollUp),
        Picture(ScrollThumb, {16, 26}, "scroll bar thumb", PaintScrollThumb),
        Picture(ScrollTrack, {18, 1}, "scroll bar track line", PaintScrollTrack),
        Picture(ScrollDownArrow, {17, 16}, "scroll bar down arrow", PaintScrollDown),
        Picture(CheckBoxStrip, {72, 16}, "file list check boxes", PaintCheckBoxStrip),
        Picture(ComboFace, {195, 22}, "settings list face", PaintComboFace, OnPage),
        Picture(EditPattern, {195, 19}, "settings field", PaintEditPattern, OnPage),

        // Sliders: channel, fill, thumb. Channel and fill are as tall as their slider.
        Picture(SliderLook::Position.channel, {391, 20}, "position channel", PaintSliderChannel,
                OnMain(30, 474)),
        Picture(SliderLook::Position.fill, {391, 20}, "position fill", PaintSliderFill,
                OnMain(30, 474)),
        Picture(SliderLook::Position.thumb, {14, 20}, "position thumb", PaintSliderThumb),
        Picture(SliderLook::BarPosition.channel, {1321, 20}, "full-screen position channel",
                PaintSliderChannel, OnControlBar(5)),
        Picture(SliderLook::BarPosition.fill, {1321, 20}, "full-screen position fill",
                PaintSliderFill, OnControlBar(5)),
        Picture(SliderLook::Speed.channel, {179, 15}, "speed channel", PaintSliderChannel,
                OnMain(477, 544)),
        Picture(SliderLook::Speed.fill, {179, 15}, "speed fill", PaintSliderFill, OnMain(477, 544)),
        Picture(SliderLook::Speed.thumb, {11, 15}, "speed thumb", PaintSliderThumb),
        Picture(SliderLook::Volume.channel, {179, 15}, "volume channel", PaintSliderChannel,
                OnMain(477, 582)),
        Picture(SliderLook::Volume.fill, {179, 15}, "volume fill", PaintSliderFill,
                OnMain(477, 582)),
        Picture(SliderLook::Volume.thumb, {11, 15}, "volume thumb", PaintSliderThumb),
        Picture(SliderLook::BarVolume.channel, {181, 15}, "full-screen volume channel",
                PaintSliderChannel, OnControlBar(13)),
        Picture(SliderLook::BarVolume.fill, {181, 15}, "full-screen volume fill", PaintSliderFill,
                OnControlBar(13)),
        Picture(SliderLook::Brightness.channel, {179, 15}, "brightness channel", PaintSliderChannel,
                OnMain(477, 620)),
        Picture(SliderLook::Brightness.fill, {179, 15}, "brightness fill", PaintSliderFill,
                OnMain(477, 620)),
        Picture(SliderLook::Brightness.thumb, {11, 15}, "brightness thumb", PaintSliderThumb),
        Picture(SliderLook::SettingsValue.channel, {179, 15}, "settings slider channel",
                PaintSliderChannel, OnPage),
        Picture(SliderLook::SettingsValue.fill, {179, 15}, "settings slider fill", PaintSliderFill,
                OnPage),
        Picture(SliderLook::SettingsValue.thumb, {11, 15}, "settings slider thumb",
                PaintSliderThumb),

        // Main window buttons, each where it stands in the windowed layout.
        Button(Settings, {37, 28}, "settings", GlyphGear, Face::Flat, OnMain(150, 12)),
        Button(Minimize, {36, 28}, "minimize", GlyphMinimize, Face::Flat, OnMain(937, 12)),
        Button(Close, {37, 28}, "close", GlyphClose, Face::FlatAlert, OnMain(973, 12)),
        Button(SpanStart, {34, 22}, "incident span start", GlyphLetter<'['>, Face::Flat,
               OnMain(463, 53)),
        Button(SpanEnd, {34, 22}, "incident span end", GlyphLetter<']'>, Face::Flat,
               OnMain(497, 53)),
        Button(IncidentPack, {34, 22}, "incident pack", GlyphIncidentPack, Face::Flat,
               OnMain(531, 53)),
        Button(Rotate, {36, 22}, "rotate", GlyphRotate, Face::Flat, OnMain(575, 53)),
        Button(Capture, {34, 22}, "capture", GlyphCamera, Face::Flat, OnMain(611, 53)),
        Button(Extend, {36, 22}, "full screen", GlyphExpand, Face::Flat, OnMain(645, 53)),
        Button(Folder, {36, 22}, "folder mode", GlyphFolder, Face::Flat, OnMain(871, 53)),
        Button(Calendar, {36, 22}, "date filter", GlyphCalendar, Face::Flat, OnMain(907, 53)),
        Button(Save, {34, 22}, "save marked", GlyphDownload, Face::Flat, OnMain(940, 53)),
        Button(Delete, {36, 22}, "delete marked", GlyphTrash, Face::Flat, OnMain(974, 53)),
        Button(CheckAll, {39, 19}, "mark all", GlyphCheckAll, Face::Flat, OnMain(963, 107)),
        Button(KindAll, {81, 29}, "all kinds", GlyphLetter<'A'>, Face::Tab),
        Button(KindNormal, {81, 29}, "normal recordings", GlyphLetter<'N'>, Face::Tab),
        Button(KindEvent, {81, 29}, "event recordings", GlyphLetter<'E'>, Face::Tab),
        Button(KindMotion, {82, 29}, "motion recordings", GlyphLetter<'M'>, Face::Tab),
        Button(MapEnlarge, {36, 22}, "enlarge map", GlyphMapEnlarge, Face::Flat,
               OnMapHeader(242, 4)),
        Button(MapPaneOpen, {37, 22}, "open map pane", GlyphMapPaneOpen, Face::Flat,
               OnMapHeader(278, 4)),
        Button(MapPaneClose, {37, 22}, "close map pane", GlyphMapPaneClose, Face::Flat,
               OnMapHeader(278, 4)),
        Button(MapReturn, {37, 28}, "back from enlarged map or full screen", GlyphCollapse,
               Face::Flat, OnMain(897, 12)),
        Button(Rewind, {36, 28}, "one second back", GlyphStepBack, Face::Raised, OnMain(450, 475)),
        Button(Forward, {37, 28}, "one second forward", GlyphStepForward, Face::Raised,
               OnMain(486, 475)),
        Button(Play, {37, 28}, "play", GlyphPlay, Face::Raised, OnMain(535, 475)),
        Button(Pause, {37, 28}, "pause", GlyphPause, Face::Raised, OnMain(535, 475)),
        Button(Previous, {36, 28}, "previous recording", GlyphPrevious, Face::Raised,
               OnMain(584, 475)),
        Button(Next, {37, 28}, "next recording", GlyphNext, Face::Raised, OnMain(620, 475)),
        Button(Volume, {22, 16}, "volume", GlyphSpeaker, Face::Flat, OnMain(451, 581)),
        Button(Muted, {22, 16}, "muted", GlyphSpeakerMuted, Face::Flat, OnMain(451, 581)),

        // Full-screen control bar
        Button(BarVolume, {22, 16}, "control bar volume", GlyphSpeaker, Face::Flat,
               OnControlBar(12)),
        Button(BarMuted, {22, 16}, "control bar muted", GlyphSpeakerMuted, Face::Flat,
               OnControlBar(12)),
        Button(BarSettings, {36, 28}, "control bar settings", GlyphGear, Face::Flat,
               OnControlBar(8)),
        Button(BarFileList, {37, 28}, "control bar file list", GlyphFileList, Face::Flat,
               OnControlBar(8)),
        Button(BarTelemetry, {37, 28}, "title bar telemetry overlay", GlyphGauge, Face::Flat,
               {TitleBarBackground, {20, 6}}),

        // Settings dialog and its pages
        Button(SettingsSave, {36, 28}, "save settings", GlyphFloppy, Face::Flat,
               OnSettings(530, 12)),
        Button(SettingsClose, {37, 28}, "close settings", GlyphClose, Face::FlatAlert,
               OnSettings(566, 12)),
        Button(TabDateTime, {67, 54}, "date and time page", GlyphClock, Face::Tab),
        Button(TabVideo, {67, 54}, "video page", GlyphVideo, Face::Tab),
        Button(TabAudio, {67, 54}, "audio page", GlyphMicrophone, Face::Tab),
        Button(TabRecording, {67, 54}, "recording page", GlyphRecord, Face::Tab),
        Button(TabDevice, {67, 54}, "device page", GlyphDashcam, Face::Tab),
        Button(TabInformation, {67, 54}, "information page", GlyphInfo, Face::Tab),
        Button(Switch, {19, 19}, "on/off switch", nullptr, Face::Switch, OnPage),
        Button(FieldUp, {17, 10}, "field up", GlyphChevronUp, Face::Raised, OnPage),
        Button(FieldDown, {17, 10}, "field down", GlyphChevronDown, Face::Raised, OnPage),
        Button(PageAction, {120, 28}, "page action button", nullptr, Face::Raised, OnPage),
    };
}

} // namespace

const std::vector<SkinRow>& SkinRows() {
    static const std::vector<SkinRow> rows = MakeRows();
    return rows;
}

std::vector<SkinBitmapEntry> SkinBitmapEntries() {
    std::vector<SkinBitmapEntry> entries;
    for (const SkinRow& row : SkinRows()) {
        const QString role = QString::fromUtf8(row.role);
        if (row.picture) {
            entries.push_back({row.looks.normal, row.size, role, &row, Look::Normal});
            continue;
        }
        entries.push_back({row.looks.normal, row.size, role + " normal", &row, Look::Normal});
        entries.push_back({row.looks.pressed, row.size, role + " pressed", &row, Look::Pressed});
        entries.push_back({row.looks.hover, row.size, role + " hover", &row, Look::Hover});
    }
    return entries;
}
