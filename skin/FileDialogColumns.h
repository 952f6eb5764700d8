#pragma once

class QApplication;

// Every file dialog the program opens shows its size, type and date columns whole: Qt sizes them
// for its dialog font, not for the texts and margins the list really shows.
void WidenFileDialogColumns(QApplication& application);
