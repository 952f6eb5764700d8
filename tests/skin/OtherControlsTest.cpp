#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinDialog.h"
#include "skin/SkinLabel.h"
#include "skin/SkinLineEdit.h"
#include "skin/SkinTabWidget.h"
#include "skin/VideoSurface.h"
#include "tests/skin/SkinTestSupport.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An owner that paints itself in one colour and remembers what it was asked to repaint.
class Owner : public QWidget {
public:
    static constexpr QColor Colour{10, 90, 160};
    QRegion repainted;

protected:
    void paintEvent(QPaintEvent* event) override {
        repainted += event->region();
        QPainter(this).fillRect(rect(), Colour);
    }
};

// The brightest grey in an image: where a text's strokes are fully covered.
int Brightest(const QImage& image, const QRect& area) {
    int brightest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            brightest = std::max(brightest, qGray(image.pixel(x, y)));
    return brightest;
}

TEST(SkinDialog, CutsRoundCorners) {
    const QRegion shape = SkinDialog::RoundedShape({615, 667});
    EXPECT_TRUE(shape.contains(QPoint(10, 10)));
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(614, 666)));
    EXPECT_FALSE(shape.contains(QPoint(614, 0)));
    EXPECT_FALSE(shape.contains(QPoint(0, 666)));
    EXPECT_TRUE(shape.contains(QPoint(307, 0)));
    EXPECT_TRUE(shape.contains(QPoint(614, 333)));

    SkinDialog dialog;
    dialog.resize(615, 667);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.mask(), shape);
    dialog.resize(300, 200);
    EXPECT_EQ(dialog.mask(), SkinDialog::RoundedShape({300, 200})) << "rebuilt on every size";
}

TEST(SkinTabWidget, ShowsOnePageAtATime) {
    QWidget settings;
    SkinTabWidget tabs(&settings);
    QList<QWidget*> pages;
    QList<QWidget*> buttons;
    for (int i = 0; i < 3; ++i) {
        pages.append(new QWidget(&tabs));
        pages.last()->hide();
        buttons.append(new QWidget(&settings));
        buttons.last()->resize(67, 54);
        EXPECT_TRUE(tabs.AddPage(pages.last(), buttons.last()));
    }
    EXPECT_FALSE(tabs.AddPage(nullptr, buttons[0]));
    EXPECT_EQ(tabs.PageCount(), 3);

    tabs.LayoutButtons();
    tabs.LayoutPages();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(buttons[i]->geometry(), QRect(2 + 67 * i, 46, 67, 54));
        EXPECT_EQ(pages[i]->geometry(), QRect(2, 0, 593, 519));
        EXPECT_EQ(pages[i]->isVisibleTo(&tabs), i == 0) << i;
    }

    EXPECT_TRUE(tabs.OnCommand(buttons[2]));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pages[i]->isVisibleTo(&tabs), i == 2) << i;
    QWidget stranger(&settings);
    EXPECT_FALSE(tabs.OnCommand(&stranger));
    EXPECT_TRUE(pages[2]->isVisibleTo(&tabs));
}

TEST(SkinLabel, ShowsItsOwnersSkinUnlessGivenABackground) {
    Owner owner;
    owner.resize(300, 100);
    auto* text = new SkinLabel(&owner, 1025, {20, 20, 100, 30}, "00:00:00");
    EXPECT_EQ(text->objectName(), "1025");
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    EXPECT_EQ(Shown(owner).pixelColor(21, 48), Owner::Colour) << "no background of its own";
    text->backColour = QColor(33, 33, 33);
    text->update();
    EXPECT_EQ(Shown(owner).pixelColor(21, 48), QColor(33, 33, 33));

    // A refresh renews the owner's skin 2 pixels inside the text's edges.
    QCoreApplication::processEvents();
    owner.repainted = {};
    text->RefreshBackground();
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.repainted.boundingRect(), QRect(22, 22, 96, 26));
}

TEST(SkinLabel, DrawsItsTextInItsColour) {
    Owner owner;
    owner.resize(200, 60);
    auto* text = new SkinLabel(&owner, 17110, {0, 0, 200, 30}, "88.8 GB");
    text->textColour = SkinColour::Signal;
    text->backColour = QColor(33, 33, 33);
    const QImage shown = Shown(*text);
    bool signalSeen = false;
    for (int x = 0; x < shown.width() && !signalSeen; ++x)
        for (int y = 0; y < shown.height() && !signalSeen; ++y)
            signalSeen = shown.pixelColor(x, y) == SkinColour::Signal;
    EXPECT_TRUE(signalSeen);
}

TEST(SkinComboBox, PaintsItsFaceAndTheSelectedText) {
    QWidget owner;
    auto* combo = new SkinComboBox(&owner, 12207, {0, 0, 195, 22});
    combo->SetFaceImage(BitmapId::ComboFace);
    EXPECT_EQ(Shown(*combo), Flat(SkinBitmap(BitmapId::ComboFace))) << "no selection: face only";

    combo->addItems({"Full HD (1920x1080, HQ)", "HD (1280x720, HQ)"});
    combo->setCurrentIndex(0);
    const QRect textArea(3, 1, 195 - 18, 22 - 3);
    const int face = Brightest(Flat(SkinBitmap(BitmapId::ComboFace)), textArea);
    EXPECT_GT(Brightest(Shown(*combo), textArea), face);
    EXPECT_EQ(Brightest(Shown(*combo), textArea), qGray(SkinColour::Text.rgb()));
    combo->setEnabled(false);
    EXPECT_EQ(Brightest(Shown(*combo), textArea), qGray(SkinColour::DisabledText.rgb()));
}

TEST(SkinLineEdit, DrawsOnThePatternOnceAsked) {
    QWidget owner;
    auto* edit = new SkinLineEdit(&owner, 1097, {0, 0, 195, 19});
    edit->setReadOnly(true);
    const QPoint edge(0, 10);
    EXPECT_EQ(Shown(*edit).pixelColor(100, 10), SkinColour::Back);
    edit->SetPatternImage();
    EXPECT_EQ(Shown(*edit).pixelColor(edge),
              Flat(SkinBitmap(BitmapId::EditPattern)).pixelColor(edge));
}

TEST(VideoSurface, IsBlack) {
    QWidget owner;
    owner.resize(100, 100);
    auto* video = new VideoSurface(&owner, 0xFFFF, {3, 3, 64, 36});
    EXPECT_EQ(video->objectName(), "65535");
    const QImage shown = Shown(*video);
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(63, 35), QColor(Qt::black));
}

} // namespace
