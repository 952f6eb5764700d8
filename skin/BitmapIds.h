#pragma once

// The skin's bitmap IDs, named once. A button takes five looks and a slider five images, in the
// order their SetImages takes them.

struct ButtonLooks {
    int normal, pressed, hover, disabled, focus;
};

struct SliderLooks {
    int channel, fill, thumb, thumbDragging, thumbFocused;
};

namespace BitmapId {
constexpr int AppIcon = 128;
constexpr int MainBackground = 129;
constexpr int SettingsBackground = 227;
constexpr int ScrollUpArrow = 236;
constexpr int ScrollThumb = 238;
constexpr int ScrollTrack = 239;
constexpr int ScrollDownArrow = 240;
constexpr int CheckBoxStrip = 241;
constexpr int ComboFace = 259;
constexpr int ControlBarBackground = 269;
constexpr int TitleBarBackground = 270;
constexpr int MapHeader = 279;
constexpr int GSensorGraph = 292;
constexpr int ElapsedTimeBack = 293;
constexpr int TotalTimeBack = 294;
constexpr int EditPattern = 295;
constexpr int FileNameBack = 312;
// Digit d of the speed read-out is FirstSpeedDigit + d.
constexpr int FirstSpeedDigit = 321;
} // namespace BitmapId

namespace ButtonLook {
// Main window
constexpr ButtonLooks Settings{133, 135, 134, 133, 133};
constexpr ButtonLooks Minimize{136, 138, 137, 136, 136};
constexpr ButtonLooks Close{130, 132, 131, 130, 130};
constexpr ButtonLooks Rotate{145, 147, 146, 145, 145};
constexpr ButtonLooks Capture{139, 141, 140, 139, 139};
constexpr ButtonLooks Extend{142, 144, 143, 142, 142};
constexpr ButtonLooks Folder{313, 315, 314, 313, 313};
constexpr ButtonLooks Calendar{148, 150, 149, 148, 148};
constexpr ButtonLooks Save{154, 156, 155, 154, 154};
constexpr ButtonLooks Delete{151, 153, 152, 151, 151};
constexpr ButtonLooks CheckAll{451, 453, 452, 451, 451};
constexpr ButtonLooks KindAll{164, 166, 165, 164, 164};
constexpr ButtonLooks KindNormal{173, 175, 174, 173, 173};
constexpr ButtonLooks KindEvent{167, 169, 168, 167, 167};
constexpr ButtonLooks KindMotion{170, 172, 171, 170, 170};
constexpr ButtonLooks MapEnlarge{160, 163, 161, 160, 160};
// The enlarged map's way back; the full-screen title bar's way back to the window uses it too.
constexpr ButtonLooks MapReturn{285, 287, 286, 285, 285};
constexpr ButtonLooks MapPaneOpen{280, 282, 281, 280, 280};
constexpr ButtonLooks MapPaneClose{158, 157, 159, 158, 158};
constexpr ButtonLooks Rewind{206, 208, 207, 206, 206};
constexpr ButtonLooks Forward{191, 193, 192, 191, 191};
constexpr ButtonLooks Play{200, 202, 201, 200, 200};
constexpr ButtonLooks Pause{197, 199, 198, 197, 197};
constexpr ButtonLooks Previous{203, 205, 204, 203, 203};
constexpr ButtonLooks Next{194, 196, 195, 194, 194};
constexpr ButtonLooks Volume{223, 225, 224, 225, 223};
constexpr ButtonLooks Muted{220, 222, 221, 222, 220};

// Full-screen control bar
constexpr ButtonLooks BarVolume{303, 305, 304, 305, 303};
constexpr ButtonLooks BarMuted{300, 302, 301, 302, 300};
constexpr ButtonLooks BarSettings{308, 310, 309, 308, 308};
constexpr ButtonLooks BarFileList{288, 290, 289, 288, 288};
constexpr ButtonLooks BarTelemetry{454, 456, 455, 454, 454};
constexpr ButtonLooks SpanStart{457, 459, 458, 457, 457};
constexpr ButtonLooks SpanEnd{460, 462, 461, 460, 460};
constexpr ButtonLooks IncidentPack{463, 465, 464, 463, 463};

// Settings dialog and its pages
constexpr ButtonLooks SettingsSave{335, 337, 336, 0, 0};
constexpr ButtonLooks SettingsClose{229, 231, 230, 0, 0};
constexpr ButtonLooks TabDateTime{232, 234, 233, 0, 0};
constexpr ButtonLooks TabVideo{235, 242, 237, 0, 0};
constexpr ButtonLooks TabAudio{246, 248, 247, 0, 0};
constexpr ButtonLooks TabRecording{243, 245, 244, 0, 0};
constexpr ButtonLooks TabDevice{249, 251, 250, 0, 0};
constexpr ButtonLooks TabInformation{255, 257, 256, 0, 0};
constexpr ButtonLooks Switch{260, 262, 261, 0, 0};
constexpr ButtonLooks FieldUp{448, 450, 449, 0, 0};
constexpr ButtonLooks FieldDown{445, 447, 446, 0, 0};
constexpr ButtonLooks PageAction{442, 444, 443, 0, 0};
} // namespace ButtonLook

namespace SliderLook {
constexpr SliderLooks Position{209, 210, 213, 213, 213};
constexpr SliderLooks BarPosition{306, 307, 213, 213, 213};
constexpr SliderLooks Speed{267, 215, 218, 218, 218};
constexpr SliderLooks Volume{268, 216, 219, 219, 219};
constexpr SliderLooks BarVolume{296, 297, 219, 219, 219};
constexpr SliderLooks Brightness{266, 214, 217, 217, 217};
constexpr SliderLooks SettingsValue{263, 264, 265, 265, 265};
} // namespace SliderLook
