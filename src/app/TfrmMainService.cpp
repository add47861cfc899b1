// The main window's way to the data logger's service window, which the ordinary menus hide.
#include "app/TfrmMain.h"

#include "logger/ui/TfrmSetup.h"

#include <QAction>
#include <QMdiArea>
#include <QPushButton>
#include <QToolBar>

void TfrmMain::BuildSetupButton()
{
    Button1 = new QPushButton(QStringLiteral("setup"), panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    // A tool bar shows and hides its widgets through their actions.
    panel1->addWidget(Button1)->setVisible(false);
    connect(Button1, &QPushButton::clicked, this, &TfrmMain::Setup1Click);
}

void TfrmMain::Setup1Click()
{
    OpenSetupWindow(*mdiArea, setupWindow);
    UpdateCommandStates();
}
