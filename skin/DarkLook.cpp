#include "skin/DarkLook.h"

#include "skin/FileDialogColumns.h"
#include "skin/SkinColours.h"
#include "skin/SkinDialog.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>

namespace {

// Fusion follows the palette in every control, where a desktop's own style may not. Its pictures
// on dialog buttons are left out: none of the skin's buttons carries one.
class DarkStyle : public QProxyStyle {
public:
    DarkStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Buttons and fields stand a little apart from the window so their edges show on the dark.
constexpr QColor RaisedBack{64, 64, 64};
constexpr QColor FieldBack{36, 36, 36};
constexpr QColor Bright{232, 232, 232};

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, SkinColour::Back);
    dark.setColor(QPalette::WindowText, SkinColour::Text);
    dark.setColor(QPalette::Base, FieldBack);
    dark.setColor(QPalette::AlternateBase, SkinColour::Back);
    dark.setColor(QPalette::Text, SkinColour::Text);
    dark.setColor(QPalette::PlaceholderText, SkinColour::DisabledText);
    dark.setColor(QPalette::Button, RaisedBack);
    dark.setColor(QPalette::ButtonText, SkinColour::Text);
    dark.setColor(QPalette::BrightText, Bright);
    dark.setColor(QPalette::Light, RaisedBack.lighter(150));
    dark.setColor(QPalette::Midlight, RaisedBack.lighter(120));
    dark.setColor(QPalette::Mid, SkinColour::Back.darker(120));
    dark.setColor(QPalette::Dark, SkinColour::Back.darker(150));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::Highlight, SkinColour::Signal);
    dark.setColor(QPalette::HighlightedText, Bright);
    dark.setColor(QPalette::Link, SkinColour::Signal);
    dark.setColor(QPalette::LinkVisited, SkinColour::Signal.darker(130));
    dark.setColor(QPalette::ToolTipBase, SkinColour::Back);
    dark.setColor(QPalette::ToolTipText, SkinColour::Text);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        dark.setColor(QPalette::Disabled, role, SkinColour::DisabledText);
    dark.setColor(QPalette::Disabled, QPalette::Highlight, SkinColour::DisabledText);
    return dark;
}

} // namespace

void ApplyDarkLook(QApplication& application,
                   std::initializer_list<const char*> skinnedWindowClasses) {
    QApplication::setStyle(new DarkStyle);
    // A desktop's file dialog would ignore the palette and look unlike the rest.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QPalette designedAgainst = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    QApplication::setPalette(designedAgainst, SkinDialog::staticMetaObject.className());
    for (const char* className : skinnedWindowClasses)
        QApplication::setPalette(designedAgainst, className);
    WidenFileDialogColumns(application);
}
