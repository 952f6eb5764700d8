#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Pictures.h"
#include "tools/skingen/SkinPaint.h"

// The areas of the windowed main window, around the places where its controls stand.
namespace Area {
constexpr QRect Title{0, 0, 1022, 47};
constexpr QRect IncidentTools{459, 50, 110, 28};
constexpr QRect VideoTools{571, 50, 114, 28};
constexpr QRect ListTools{867, 50, 147, 28};
constexpr QRect Video{3, 78, 688, 387};
constexpr QRect Transport{2, 467, 690, 45};
constexpr QRect GSensor{2, 515, 424, 161};
constexpr QRect Controls{430, 515, 262, 161};
constexpr QRect Graph{41, 531, 370, 114};
constexpr QRect ListHeader{695, 107, 307, 19};
constexpr QRect List{694, 125, 327, 510};
constexpr QPoint MapHeader{695, 635};
} // namespace Area

static void DrawTitle(QPainter& p) {
    DrawTitleStrip(p, Area::Title);
    DrawLogo(p, QPointF(14, 24));
}

static void DrawToolGroups(QPainter& p) {
    DrawWell(p, Area::IncidentTools, 6, Shade::Ground.darker(115));
    DrawWell(p, Area::VideoTools, 6, Shade::Ground.darker(115));
    DrawWell(p, Area::ListTools, 6, Shade::Ground.darker(115));
}

static void DrawVideoFrame(QPainter& p) {
    DrawWell(p, QRectF(Area::Video).adjusted(-1, -1, 1, 1), 2, Qt::black);
    p.fillRect(Area::Video, Qt::black);
}

static void DrawGSensor(QPainter& p) {
    DrawPanel(p, Area::GSensor, 6);
    DrawLabel(p, QPointF(16, 527), QStringLiteral("G-SENSOR"), 9);
    const QRect graph = Area::Graph;
    p.fillRect(graph.adjusted(-1, -1, 1, 1), Shade::Void);
    p.save();
    p.translate(graph.topLeft());
    PaintGraph(p, graph.size(), 0);
    p.restore();
    const char* axes[] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis)
        DrawLabel(p, QPointF(24, graph.top() + 19 + axis * 38 + 4), QString::fromLatin1(axes[axis]),
                  10);
}

static void DrawControls(QPainter& p) {
    DrawPanel(p, Area::Controls, 6);
    const int left = 477;
    DrawLabel(p, QPointF(left, 539), QStringLiteral("SPEED"), 9);
    DrawLabel(p, QPointF(left, 577), QStringLiteral("VOLUME"), 9);
    DrawLabel(p, QPointF(left, 615), QStringLiteral("BRIGHTNESS"), 9);
    // The mute button stands at the volume; speed and brightness get their marks.
    GlyphGauge(p, QRectF(454, 543, 16, 16), Shade::Muted);
    GlyphSun(p, QRectF(454, 619, 16, 16), Shade::Muted);
}

static void DrawLibrary(QPainter& p) {
    DrawTitleStrip(p, Area::ListHeader);
    GlyphFileList(p, QRectF(701, 109, 15, 15), Shade::Muted);
    DrawLabel(p, QPointF(720, 121), QStringLiteral("RECORDINGS"), 9);
    DrawWell(p, Area::List, 2, Shade::Well);
    p.save();
    p.translate(Area::MapHeader);
    PaintMapHeader(p, QSize(324, 28), 0);
    p.restore();
}

void PaintMainBackground(QPainter& p, const QSize& size, int) {
    const QRect whole(QPoint(0, 0), size);
    FillVertical(p, whole, Shade::Ground.lighter(108), Shade::Ground.darker(112));
    DrawTitle(p);
    DrawToolGroups(p);
    DrawVideoFrame(p);
    DrawPanel(p, Area::Transport, 6);
    DrawGSensor(p);
    DrawControls(p);
    DrawLibrary(p);
    p.setPen(Shade::Void);
    p.setBrush(Qt::NoBrush);
    p.drawRect(whole.adjusted(0, 0, -1, -1));
}
