#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Answers the next modal dialog of type Dialog once it is up: tests drive the program's
// question boxes the way a user would, from inside their event loops.
template <typename Dialog> void AnswerModal(std::function<void(Dialog*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start();
}
