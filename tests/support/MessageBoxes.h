#pragma once

#include "skin/MessageBox.h"

#include <QStringList>

// Answers the program's message boxes while it lives, as a user would: with `answer` where a box
// offers it, otherwise OK, otherwise Cancel. Keeps the texts of the boxes answered. One made
// while another lives answers in its place until it goes.
class MessageBoxes {
public:
    enum Which {
        Every,
        // Boxes that ask something are shown and left to the test.
        OnlyReports,
    };
    explicit MessageBoxes(MessageBox::Button answer = QMessageBox::Ok, Which which = Every) {
        m_replaced = MessageBox::SetAnswerer(
            [this, answer, which](const QMessageBox& box) -> std::optional<MessageBox::Button> {
                // A report offers OK and nothing that takes it back.
                const bool report = box.button(QMessageBox::Ok) && !box.button(QMessageBox::Cancel);
                if (which == OnlyReports && !report)
                    return std::nullopt;
                texts.append(box.text());
                titles.append(box.windowTitle());
                for (const MessageBox::Button button : {answer, QMessageBox::Ok})
                    if (box.button(button))
                        return button;
                return QMessageBox::Cancel;
            });
    }
    ~MessageBoxes() { MessageBox::SetAnswerer(std::move(m_replaced)); }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    QStringList texts;
    QStringList titles;

private:
    MessageBox::Answerer m_replaced;
};
