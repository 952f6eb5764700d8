#include "app/CVeskaPlayerApp.h"

#include "app/CVeskaPlayerDlg.h"
#include "app/TerminationSignals.h"

#include <QApplication>
#include <QCommandLineParser>

int CVeskaPlayerApp::Run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karvenna"));
    QApplication::setOrganizationName(QStringLiteral("karvenna"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption card(QStringLiteral("card"),
                                  QStringLiteral("Take PATH as the memory card's root."),
                                  QStringLiteral("PATH"));
    parser.addOption(card);
    parser.process(application);
    CVeskaPlayerDlg mainWindow(parser.value(card));
    QuitOnTerminationSignals(&mainWindow, [&mainWindow] { mainWindow.Close(); });
    mainWindow.exec();
    return 0;
}
