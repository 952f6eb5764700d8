#include "app/IncidentCommands.h"
#include "app/TripEventCommands.h"
#include "incident/PackHashes.h"
#include "skin/SkinSlider.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/support/MessageBoxes.h"

namespace {

// A day of three recordings of four seconds; the last two follow one another at once.
class IncidentWindow : public CardWindowFixture {
protected:
    IncidentWindow()
        : CardWindowFixture({.card = CardWindowSetup::CopyOfMadeCard, .perDay = 3, .seconds = 4}) {}

    void SetUp() override {
        CardWindowFixture::SetUp();
        incident = window->findChild<IncidentCommands*>();
        auto* events = window->findChild<TripEventCommands*>();
        ASSERT_TRUE(QTest::qWaitFor([&] { return events->Scan().recordings.size() == 3; }));
    }

    // Plays a row and pauses it at a position.
    void PauseAt(int row, qint64 positionMs) {
        DoubleClickRow(row);
        Click(ControlId::PlayPause);
        emit window->findChild<GSensorGraphView*>()->seekRequested(positionMs);
    }
    SkinSlider* Slider() const { return Control<SkinSlider>(ControlId::PositionSlider); }

    IncidentCommands* incident = nullptr;
};

TEST_F(IncidentWindow, MarksASpanAcrossRecordingsAndWritesAPackThatChecksOut) {
    EXPECT_FALSE(incident->PackSpan()) << "neither marks nor a recording playing";
    // Without marks, the pack takes ten seconds around the playing recording's event.
    PauseAt(1, 2000);
    const auto around = incident->PackSpan();
    ASSERT_TRUE(around) << "the Event recording's hard brake";
    EXPECT_EQ(around->first.msecsTo(around->second), 20000);

    QTest::keyClick(window.get(), Qt::Key_I);
    PauseAt(2, 1500);
    QTest::keyClick(window.get(), Qt::Key_O);
    ASSERT_TRUE(incident->SpanStart() && incident->SpanEnd());
    EXPECT_GE(incident->SpanStart()->msecsTo(*incident->SpanEnd()), 3500);
    // The second recording's slider shows the span from before its start to the end mark.
    EXPECT_LT(Slider()->MarkedSpan().first, 0);
    EXPECT_NEAR(Slider()->MarkedSpan().second, 1500, 100);

    QTemporaryDir out;
    const QString pack = out.filePath("pack");
    MessageBoxes messages;
    ASSERT_TRUE(incident->ExportPackTo(pack));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(pack));
    EXPECT_TRUE(VerifyPack(pack).isEmpty());
    const QStringList originals = QDir(pack + "/originals").entryList(QDir::Files, QDir::Name);
    EXPECT_TRUE(originals.contains(Name(1)) && originals.contains(Name(2)))
        << originals.join(' ').toStdString();
    EXPECT_FALSE(originals.contains(Name(0)));

    incident->CheckPackAt(pack);
    EXPECT_TRUE(messages.texts.last().startsWith("The incident pack is intact"));
    QFile report(pack + "/report.pdf");
    ASSERT_TRUE(report.open(QIODevice::ReadWrite));
    report.seek(100);
    const char byte = report.peek(1)[0];
    report.write(QByteArray(1, char(byte ^ 1)));
    report.close();
    incident->CheckPackAt(pack);
    EXPECT_TRUE(messages.texts.last().startsWith("The incident pack was changed"));
    EXPECT_TRUE(messages.texts.last().contains("report.pdf"));
}

} // namespace
