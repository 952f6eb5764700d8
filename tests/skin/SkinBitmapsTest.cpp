#include "skin/SkinBitmaps.h"

#include "skin/BitmapIds.h"
#include "skin/SkinColours.h"
#include "tools/skingen/SkinTable.h"

#include <QBitmap>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

TEST(SkinBitmaps, EveryBitmapOfTheTableIsEmbeddedAtItsSize) {
    const auto entries = SkinBitmapEntries();
    ASSERT_GT(entries.size(), 150u);
    for (const SkinBitmapEntry& entry : entries) {
        const QPixmap bitmap = SkinBitmap(entry.id);
        EXPECT_FALSE(bitmap.isNull()) << entry.id << " " << entry.role.toStdString();
        EXPECT_EQ(bitmap.size(), entry.size) << entry.id << " " << entry.role.toStdString();
    }
}

TEST(SkinBitmaps, EveryIdIsDrawnOnce) {
    QSet<int> ids;
    for (const SkinBitmapEntry& entry : SkinBitmapEntries()) {
        EXPECT_FALSE(ids.contains(entry.id)) << "ID " << entry.id << " is drawn twice";
        ids.insert(entry.id);
    }
}

TEST(SkinBitmaps, EveryLookThatAButtonOrSliderAsksForExists) {
    QSet<int> ids;
    for (const SkinBitmapEntry& entry : SkinBitmapEntries())
        ids.insert(entry.id);
    for (const SkinRow& row : SkinRows()) {
        if (row.picture)
            continue;
        // A disabled or focus look of its own must be drawn too; 0 means none.
        for (int id : {row.looks.normal, row.looks.pressed, row.looks.hover, row.looks.disabled,
                       row.looks.focus})
            EXPECT_TRUE(id == 0 || ids.contains(id)) << row.role << " asks for " << id;
    }
    for (const SliderLooks& slider :
         {SliderLook::Position, SliderLook::BarPosition, SliderLook::Speed, SliderLook::Volume,
          SliderLook::BarVolume, SliderLook::Brightness, SliderLook::SettingsValue}) {
        for (int id :
             {slider.channel, slider.fill, slider.thumb, slider.thumbDragging, slider.thumbFocused})
            EXPECT_TRUE(ids.contains(id)) << "slider asks for " << id;
    }
    for (int digit = 0; digit < 10; ++digit)
        EXPECT_TRUE(ids.contains(BitmapId::FirstSpeedDigit + digit)) << digit;
}

TEST(SkinBitmaps, AnUnknownIdGivesANullBitmap) {
    EXPECT_TRUE(SkinBitmap(0).isNull());
    EXPECT_TRUE(SkinBitmap(131072).isNull());
}

TEST(SkinBitmaps, KeyColoursAreWhereTheProgramMakesThemSeeThrough) {
    // A slider thumb: white around the knob, knob in the middle.
    const QImage thumb = SkinBitmap(SliderLook::Volume.thumb).toImage();
    EXPECT_EQ(thumb.pixelColor(0, 0), SkinColour::ThumbKey);
    EXPECT_NE(thumb.pixelColor(thumb.width() / 2, thumb.height() / 2), SkinColour::ThumbKey);
    const QPixmap keyed = SkinBitmapKeyed(SliderLook::Volume.thumb, SkinColour::ThumbKey);
    const QImage mask = keyed.mask().toImage();
    EXPECT_EQ(mask.pixelIndex(0, 0), 0) << "corner must be see-through";
    EXPECT_EQ(mask.pixelIndex(thumb.width() / 2, thumb.height() / 2), 1);

    // The file list's check boxes: magenta around each of the four boxes.
    const QImage boxes = SkinBitmap(BitmapId::CheckBoxStrip).toImage();
    for (int box = 0; box < 4; ++box) {
        EXPECT_EQ(boxes.pixelColor(box * 18, 0), SkinColour::CheckBoxKey) << box;
        EXPECT_NE(boxes.pixelColor(box * 18 + 8, 8), SkinColour::CheckBoxKey) << box;
    }

    // Speed digits: green between the segments, and no two digits alike.
    QList<QImage> digits;
    for (int digit = 0; digit < 10; ++digit) {
        const QImage image = SkinBitmap(BitmapId::FirstSpeedDigit + digit).toImage();
        EXPECT_EQ(image.pixelColor(0, 0), SkinColour::OverlayKey) << digit;
        EXPECT_FALSE(digits.contains(image)) << digit;
        digits.append(image);
    }
}

TEST(SkinBitmaps, ButtonLooksDifferPerState) {
    for (const SkinRow& row : SkinRows()) {
        if (row.picture)
            continue;
        const QImage normal = SkinBitmap(row.looks.normal).toImage();
        EXPECT_NE(normal, SkinBitmap(row.looks.pressed).toImage()) << row.role;
        EXPECT_NE(normal, SkinBitmap(row.looks.hover).toImage()) << row.role;
        EXPECT_NE(normal.convertToFormat(QImage::Format_RGB32),
                  DisabledLook(SkinBitmap(row.looks.normal)).toImage())
            << row.role;
    }
}
