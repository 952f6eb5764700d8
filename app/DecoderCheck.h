#pragma once

class PlaybackEngine;
class QWidget;

// Runs before every open of a recording. Without the H.264 decoder it recommends installing
// one (opening the download page on OK) and the open is abandoned.
bool CheckDecoder(PlaybackEngine& player, QWidget* dialogParent);
