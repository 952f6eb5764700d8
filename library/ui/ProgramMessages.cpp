#include "library/ui/ProgramMessages.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QPushButton>

QMessageBox::StandardButton ShowProgramMessage(QWidget* owner, const QString& text,
                                               QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle), text, buttons, owner);
    return QMessageBox::StandardButton(box.exec());
}

ClashAnswer AskReplace(QWidget* owner, const QString& fileName, bool severalFiles) {
    // Standard buttons under the program's words: Escape and the window's close mean Cancel.
    static const struct {
        QMessageBox::StandardButton button;
        int text;
        ClashAnswer answer;
        bool severalOnly;
    } choices[] = {
        {QMessageBox::Yes, StringId::Replace, ClashAnswer::Replace, false},
        {QMessageBox::No, StringId::Skip, ClashAnswer::Skip, true},
        {QMessageBox::YesToAll, StringId::ReplaceAll, ClashAnswer::ReplaceAll, true},
        {QMessageBox::Cancel, StringId::Cancel, ClashAnswer::Cancel, false},
    };
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle),
                    LoadLangString(StringId::FileExistsReplace).arg(fileName),
                    QMessageBox::NoButton, owner);
    for (const auto& choice : choices)
        if (severalFiles || !choice.severalOnly)
            box.addButton(choice.button)->setText(LoadLangString(choice.text));
    const int pressed = box.exec();
    for (const auto& choice : choices)
        if (choice.button == pressed)
            return choice.answer;
    return ClashAnswer::Cancel;
}
