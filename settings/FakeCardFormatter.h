#pragma once

#include "settings/CardFormatter.h"

#include <QStringList>
#include <functional>

// A card formatter for tests: one removable volume at a folder the test gives, whose label is a
// field; its format empties the folder, or ends as the test says.
class FakeCardFormatter : public CardFormatter {
public:
    explicit FakeCardFormatter(QString root = {}) : removableRoot(std::move(root)) {}

    bool IsRemovableVolume(const QString& root) override;
    QString Label(const QString& root) override;
    bool SetLabel(const QString& root, const QString& label) override;
    FormatResult Format(const QString& root, const QString& label) override;

    QString removableRoot;
    QString label;
    // What the next format ends in; Formatted empties the folder first.
    FormatResult::Status answer = FormatResult::Formatted;
    // Run on the freshly formatted card (tests put what the new file system holds there).
    std::function<void()> afterFormat;
    // Where the formatted card is mounted again, as udisks2 may mount it under its new label;
    // at its old root when empty.
    QString mountedAgainAt;
    // Every call, in order: "label X", "format X", for tests of the order of steps.
    QStringList calls;
};
