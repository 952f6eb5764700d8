#include "app/CVeskaPlayerApp.h"

#include "app/CVeskaPlayerDlg.h"

#include <QApplication>

int CVeskaPlayerApp::Run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karvenna"));
    QApplication::setOrganizationName(QStringLiteral("karvenna"));
    CVeskaPlayerDlg mainWindow;
    mainWindow.exec();
    return 0;
}
