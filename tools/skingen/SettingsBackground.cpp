#include "tools/skingen/Pictures.h"
#include "tools/skingen/SkinPaint.h"

#include <QPainterPath>

// The areas of the settings dialog: its title, the row of tabs, the page's title and the page.
namespace Area {
constexpr QRect Title{0, 0, 615, 45};
constexpr QRect Tabs{2, 46, 611, 54};
constexpr QRect PageTitle{2, 100, 611, 29};
constexpr QRect Page{3, 129, 593, 519};
} // namespace Area

void PaintSettingsBackground(QPainter& p, const QSize& size, int) {
    const QRectF whole(QPointF(0, 0), size);
    p.fillRect(whole, Shade::Ground);
    // The window's corners are cut round; draw inside the same round shape.
    QPainterPath shape;
    shape.addRoundedRect(whole.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.save();
    p.setClipPath(shape);
    FillVertical(p, whole, Shade::Ground.lighter(110), Shade::Ground.darker(110));
    DrawTitleStrip(p, Area::Title);
    DrawLogo(p, QPointF(14, 23));
    DrawTitleStrip(p, Area::Tabs);
    FillVertical(p, Area::PageTitle, Shade::Panel, Shade::Panel.darker(110));
    p.fillRect(QRect(6, 109, 3, 18), SkinColour::Signal);
    p.fillRect(Area::Page.adjusted(-1, -1, 1, 1), Shade::Void);
    p.fillRect(Area::Page, SkinColour::Back);
    p.restore();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Shade::Void, 1));
    p.drawPath(shape);
    p.restore();
}
