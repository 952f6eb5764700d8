#include "app/Application.h"

#include "app/MainWindow.h"
#include "app/TerminationSignals.h"
#include "app/fullscreen/FullScreenPanel.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/DarkLook.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QUrl>

int Application::Run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karvenna"));
    QApplication::setOrganizationName(QStringLiteral("karvenna"));
    QApplication::setApplicationVersion(LoadLangString(StringId::ProgramVersion));
    ApplyDarkLook(application, {MainWindow::staticMetaObject.className(),
                                FullScreenPanel::staticMetaObject.className()});
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption card(QStringLiteral("card"),
                                  QStringLiteral("Take PATH as the memory card's root."),
                                  QStringLiteral("PATH"));
    parser.addOption(card);
    // The desktop starts the program with the mount point of a card it recognises.
    parser.addPositionalArgument(QStringLiteral("CARD"),
                                 QStringLiteral("A mounted memory card, taken as --card takes it."),
                                 QStringLiteral("[CARD]"));
    parser.process(application);
    QString cardRoot = parser.value(card);
    if (cardRoot.isEmpty() && !parser.positionalArguments().isEmpty())
        cardRoot = QUrl::fromUserInput(parser.positionalArguments().constFirst(),
                                       QDir::currentPath(), QUrl::AssumeLocalFile)
                       .toLocalFile();
    MainWindow mainWindow(cardRoot);
    QuitOnTerminationSignals(&mainWindow, [&mainWindow] { mainWindow.Close(); });
    mainWindow.exec();
    return 0;
}
