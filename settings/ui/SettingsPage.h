#pragma once

#include "settings/SettingsRecord.h"
#include "skin/BitmapIds.h"

#include <QHash>
#include <QLine>
#include <QList>
#include <QWidget>
#include <functional>
#include <span>

class SkinComboBox;
class SkinLineEdit;
class SkinSlider;
class SkinButton;
class SkinLabel;

// Bits of the dialog's loadedFiles.
namespace LoadedFile {
constexpr int SettingIni = 1;
constexpr int SettingPcmIni = 2;
} // namespace LoadedFile

// The ON and OFF buttons of one switch; checking one unchecks the other.
struct TwoWaySwitch {
    SkinButton* on = nullptr;
    SkinButton* off = nullptr;

    void Set(bool isOn) const;
    bool IsOn() const;
    bool IsOff() const;
    // 1 for ON, 0 for OFF, `neither` when neither is checked.
    int Value(int neither) const;
};

// A localized text of a page: its control ID, its string ID and where it stands.
struct TextRow {
    int id;
    int stringId;
    QRect rect;
};

// One page of the settings dialog. It has no background of its own: the dialog's skin shows
// through, with the page's separator lines drawn over it. The helpers build its controls the
// way every page shows them.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget* container);

    // Puts the record's values on the controls; loadedFiles holds LoadedFile bits.
    virtual void LoadPage(const SettingsRecord& record, int loadedFiles);
    // Writes the controls' values into the fields the page edits.
    virtual void CollectPage(SettingsRecord& record) const;
    // Puts every control to its default value.
    virtual void SetDefaults();

    // Narrows each text that would run under a control to its right, so that it wraps before
    // it: the rectangles are made for English in another font. Called once the controls stand.
    void KeepTextsClearOfControls();

protected:
    // A text; a text that needs more lines than its height holds grows about its middle.
    SkinLabel* Label(int id, const QRect& rect, const QString& text);
    SkinLabel* Heading(int id, const QRect& rect, const QString& text);
    void AddLabels(std::span<const TextRow> rows);
    void AddHeadings(std::span<const TextRow> rows);
    // A value in the signal colour on a dark plate; underlined beside a slider.
    SkinLabel* Readout(int id, const QRect& rect, const QString& text, bool underlined);
    // The ON button at onAt and the OFF button at offAt.
    TwoWaySwitch Switch(int onId, QPoint onAt, int offId, QPoint offAt);
    SkinComboBox* List(int id, QPoint at, const QStringList& entries);
    // A slider from 0 to maximum; codes 2 to 5 of its notifications show the new position in
    // the read-out, as readoutText gives it.
    SkinSlider* Slider(int id, const QRect& rect, int maximum, SkinLabel* readout,
                       std::function<QString(int)> readoutText);
    // A text field on the skin's field pattern; the read-only one only shows its text.
    SkinLineEdit* TextField(int id, const QRect& rect);
    SkinLineEdit* ReadOnlyField(int id, const QRect& rect);
    SkinButton* Button(int id, const QRect& rect, const ButtonLooks& looks);
    // A separator line, at the Russian interface's y where its labels take more room.
    void AddSeparator(int x1, int x2, int y, int russianY);

    void paintEvent(QPaintEvent* event) override;

private:
    static void FitText(SkinLabel* label);
    // Where the page put each text before fitting it.
    QRect DesignRect(const QWidget* control) const;

    QList<QLine> m_separators;
    QHash<const QWidget*, QRect> m_designRects;
};
