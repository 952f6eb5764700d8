#pragma once

class QApplication;

// Every file dialog the program opens shows its size, type and date columns whole (Qt sizes them
// for its dialog font, not for the texts and margins the list really shows), and opens large
// enough to show them beside the names.
void WidenFileDialogColumns(QApplication& application);
