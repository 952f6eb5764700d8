#pragma once

#include <QList>
#include <QMessageBox>
#include <functional>
#include <optional>

// The program's message box: its name as the title over a text. Every box of the program is made
// here, so that all look alike and tests can answer them.
namespace MessageBox {

using Button = QMessageBox::StandardButton;

// A button under a text of the program's own.
struct Choice {
    Button button;
    QString text;
};

// Returns once the user has read `text`.
void Tell(QWidget* owner, const QString& text);
// True when the user answers OK.
bool AskOkCancel(QWidget* owner, const QString& text);
// The button pressed; Cancel when the box was closed or Escape pressed.
Button Ask(QWidget* owner, const QString& text, const QList<Choice>& choices);

// For tests: each box, made as it would be shown, goes to `answerer` first; the button it names
// is the answer, and the box is shown only when it names none. Empty: every box is shown.
// Returns the answerer it replaces.
using Answerer = std::function<std::optional<Button>(const QMessageBox& box)>;
Answerer SetAnswerer(Answerer answerer);

} // namespace MessageBox
