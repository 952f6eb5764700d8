#include "tools/democard/DemoCard.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Frames are painted off-screen; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a memory card as the QX5 camera writes it, for demos and tests."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Where to write the card (empty or new)."));
    const QCommandLineOption days(QStringLiteral("days"), QStringLiteral("Days of recordings."),
                                  QStringLiteral("n"), QStringLiteral("2"));
    const QCommandLineOption perDay(QStringLiteral("per-day"),
                                    QStringLiteral("Recordings per day."), QStringLiteral("n"),
                                    QStringLiteral("3"));
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Length of each recording."),
                                     QStringLiteral("s"), QStringLiteral("20"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Picture size WxH."),
                                  QStringLiteral("WxH"), QStringLiteral("1280x720"));
    const QCommandLineOption fps(QStringLiteral("fps"), QStringLiteral("Frames per second."),
                                 QStringLiteral("n"), QStringLiteral("30"));
    const QCommandLineOption first(QStringLiteral("first-day"),
                                   QStringLiteral("Date of the first day."),
                                   QStringLiteral("YYYYMMDD"), QStringLiteral("20261201"));
    parser.addOptions({days, perDay, seconds, size, fps, first});
    parser.process(application);

    DemoCardOptions options;
    const QStringList sizeParts = parser.value(size).split(QLatin1Char('x'));
    if (parser.positionalArguments().size() == 1 && sizeParts.size() == 2) {
        options.folder = parser.positionalArguments().first();
        options.days = parser.value(days).toInt();
        options.recordingsPerDay = parser.value(perDay).toInt();
        options.seconds = parser.value(seconds).toInt();
        // x264 wants even dimensions.
        options.frameSize = QSize(sizeParts[0].toInt() & ~1, sizeParts[1].toInt() & ~1);
        options.framesPerSecond = parser.value(fps).toInt();
        options.firstDay = QDate::fromString(parser.value(first), QStringLiteral("yyyyMMdd"));
    }
    if (options.folder.isEmpty() || options.days < 1 || options.recordingsPerDay < 1 ||
        options.seconds < 1 || options.frameSize.width() < 32 || options.frameSize.height() < 32 ||
        options.framesPerSecond < 1 || !options.firstDay.isValid()) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }
    const QString error = WriteDemoCard(options);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "karvenna-democard: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
