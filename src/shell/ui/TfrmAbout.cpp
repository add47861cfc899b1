#include "shell/ui/TfrmAbout.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Decibar For Sound Level Meter"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setPixmap(QPixmap(QStringLiteral(":/glyphs/app.png")));

    auto* title = new QLabel(QStringLiteral("Sound Level Meter Software"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* versionCaption = new QLabel(QStringLiteral("Version:"), this);
    versionCaption->setObjectName(QStringLiteral("Label3"));
    auto* version = new QLabel(QStringLiteral(QX574_VERSION), this);
    version->setObjectName(QStringLiteral("Label2"));

    label4 = new QLabel(this);
    label4->setObjectName(QStringLiteral("Label4"));

    bitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    bitBtn1->setDefault(true);
    connect(bitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(versionCaption);
    versionRow->addWidget(version);
    versionRow->addStretch();

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addLayout(versionRow);
    text->addWidget(label4);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitBtn1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 170)));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmAbout* ShowSplash()
{
    auto* splash = new TfrmAbout;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->BitBtn1()->hide();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    return splash;
}
