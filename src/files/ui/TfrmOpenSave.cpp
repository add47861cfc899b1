#include "files/ui/TfrmOpenSave.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmOpenSave::TfrmOpenSave(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      btnOpenSets(new QPushButton(QStringLiteral("Save all data sets to a data set collection file(*.set)"), this)),
      btnOpenSingleSet(new QPushButton(QStringLiteral("Save single selected  data set to a  file"), this)),
      btnCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmOpenSave"));
    btnOpenSets->setObjectName(QStringLiteral("btnOpenSets"));
    btnOpenSingleSet->setObjectName(QStringLiteral("btnOpenSingleSet"));
    btnCancel->setObjectName(QStringLiteral("Button1"));
    connect(btnOpenSets, &QPushButton::clicked, this, [this] { done(SetsResult); });
    connect(btnOpenSingleSet, &QPushButton::clicked, this, [this] { done(SingleResult); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(CancelResult); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(10);
    for (QPushButton* button : {btnOpenSets, btnOpenSingleSet})
        button->setMinimumHeight(34);
    layout->addWidget(btnOpenSets);
    layout->addWidget(btnOpenSingleSet);
    layout->addSpacing(6);
    layout->addWidget(btnCancel, 0, Qt::AlignRight);
    setMinimumWidth(360);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
