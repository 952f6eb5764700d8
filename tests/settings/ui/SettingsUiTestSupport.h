#pragma once

#include "settings/SettingsRecord.h"
#include "skin/CNblSkinButton.h"
#include "skin/CNblStaticTrans.h"
#include "tests/support/FindControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

// Answers every message box that comes up while it lives, as a user would (OK where the box
// asks nothing), and keeps the texts it was shown.
class MessageBoxes {
public:
    explicit MessageBoxes(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts.append(box->text());
            // A box that only tells has nothing but OK.
            QAbstractButton* button = box->button(answer);
            (button ? button : box->button(QMessageBox::Ok))->click();
        });
        m_poll.start();
    }

    QStringList texts;

private:
    QTimer m_poll;
};

// A card in a temporary folder, with its Config files written as the test says.
class TestCard {
public:
    QString Root() const { return m_dir.path() + '/'; }
    QString ConfigFile(const char* name) const { return Root() + "Config/" + name; }

    void Write(const char* name, const QByteArray& contents) const {
        QDir(m_dir.path()).mkpath("Config");
        QFile file(ConfigFile(name));
        file.open(QIODevice::WriteOnly);
        file.write(contents);
    }

    // Dates a file as written that many seconds ago: which of the two files is newer matters.
    void Age(const char* name, int seconds) const {
        QFile file(ConfigFile(name));
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                         QFileDevice::FileModificationTime);
    }

    QByteArray Read(const char* name) const {
        QFile file(ConfigFile(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    QTemporaryDir m_dir;
};

// One settings page on its own, shown at its size, its controls found by ID.
template <typename Page> class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.resize(593, 519);
        page.show();
    }

    template <typename T = QWidget> T* Find(int id) const { return FindControl<T>(&page, id); }
    bool Checked(int id) const { return Find<CNblSkinButton>(id)->isChecked(); }
    QString Text(int id) const { return Find<CNblStaticTrans>(id)->text(); }

    SettingsRecord Collected() const {
        SettingsRecord record;
        page.CollectPage(record);
        return record;
    }

    Page page{nullptr};
};
