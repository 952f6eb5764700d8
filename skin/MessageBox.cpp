#include "skin/MessageBox.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QGridLayout>
#include <QPushButton>
#include <utility>

namespace MessageBox {
namespace {

Answerer& TestAnswerer() {
    static Answerer answerer;
    return answerer;
}

// A short text makes a box narrower than its title, which the window manager then cuts.
void FitTitle(QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    // Room for the icon and the buttons of the window manager's title bar.
    constexpr int TitleBarControls = 150;
    const int width =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarControls;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

Button Run(QMessageBox& box) {
    FitTitle(box);
    if (const Answerer& answerer = TestAnswerer())
        if (const std::optional<Button> answer = answerer(box))
            return *answer;
    box.exec();
    // Custom texts on standard buttons leave exec()'s result undefined: ask the box.
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : QMessageBox::Cancel;
}

} // namespace

void Tell(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle), text, QMessageBox::Ok,
                    owner);
    Run(box);
}

bool AskOkCancel(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle), text,
                    QMessageBox::Ok | QMessageBox::Cancel, owner);
    return Run(box) == QMessageBox::Ok;
}

Button Ask(QWidget* owner, const QString& text, const QList<Choice>& choices) {
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle), text,
                    QMessageBox::NoButton, owner);
    for (const Choice& choice : choices)
        box.addButton(choice.button)->setText(choice.text);
    return Run(box);
}

Answerer SetAnswerer(Answerer answerer) {
    return std::exchange(TestAnswerer(), std::move(answerer));
}

} // namespace MessageBox
