#pragma once

#include "settings/SettingsRecord.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "tests/support/FindControl.h"
#include "tests/support/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

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
    bool Checked(int id) const { return Find<SkinButton>(id)->isChecked(); }
    QString Text(int id) const { return Find<SkinLabel>(id)->text(); }

    SettingsRecord Collected() const {
        SettingsRecord record;
        page.CollectPage(record);
        return record;
    }

    Page page{nullptr};
};
