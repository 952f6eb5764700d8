#include "library/ui/ReplaceQuestion.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"

ClashAnswer AskReplace(QWidget* owner, const QString& fileName, bool severalFiles) {
    // Standard buttons under the program's words: Escape and the window's close mean Cancel.
    static const struct {
        MessageBox::Button button;
        int text;
        ClashAnswer answer;
        bool severalOnly;
    } choices[] = {
        {QMessageBox::Yes, StringId::Replace, ClashAnswer::Replace, false},
        {QMessageBox::No, StringId::Skip, ClashAnswer::Skip, true},
        {QMessageBox::YesToAll, StringId::ReplaceAll, ClashAnswer::ReplaceAll, true},
        {QMessageBox::Cancel, StringId::Cancel, ClashAnswer::Cancel, false},
    };
    QList<MessageBox::Choice> offered;
    for (const auto& choice : choices)
        if (severalFiles || !choice.severalOnly)
            offered.append({choice.button, LoadLangString(choice.text)});
    const MessageBox::Button pressed =
        MessageBox::Ask(owner, LoadLangString(StringId::FileExistsReplace).arg(fileName), offered);
    for (const auto& choice : choices)
        if (choice.button == pressed)
            return choice.answer;
    return ClashAnswer::Cancel;
}
