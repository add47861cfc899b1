#include "AppState.h"
#include "TfrmAbout.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QX574"));
    QApplication::setApplicationName(QStringLiteral("QX574"));

    frmAbout = new TfrmAbout;
    frmAbout->setAttribute(Qt::WA_DeleteOnClose);
    frmAbout->BitBtn1()->hide();
    frmAbout->show();
    frmAbout->repaint();
    QApplication::processEvents();

    int result = 0;
    {
        TfrmMain mainWindow;
        mainWindow.showMaximized();
        result = QApplication::exec();
    }
    App = AppState();
    return result;
}
