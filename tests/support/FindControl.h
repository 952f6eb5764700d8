#pragma once

#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>

// The control with that ID among the descendants of `parent`, of type T. A missing control ends
// the test with a failure instead of a crash on a null pointer.
template <typename T = QWidget> T* FindControl(const QObject* parent, int id) {
    T* control = parent->findChild<T*>(QString::number(id));
    if (!control)
        throw std::runtime_error("no control with ID " + std::to_string(id));
    return control;
}
