#include "files/ui/TfrmScope.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmScope::TfrmScope(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    radAll = new QRadioButton(QStringLiteral("&All"), GroupBox1);
    radAll->setObjectName(QStringLiteral("radAll"));
    radAll->setChecked(true);
    radNo = new QRadioButton(QStringLiteral("&Select"), GroupBox1);
    radNo->setObjectName(QStringLiteral("radNo"));
    edtSelFrom = new QLineEdit(GroupBox1);
    edtSelFrom->setObjectName(QStringLiteral("edtSelFrom"));
    edtSelTo = new QLineEdit(GroupBox1);
    edtSelTo->setObjectName(QStringLiteral("edtSelTo"));
    auto* from = new QLabel(QStringLiteral("&from"), GroupBox1);
    from->setBuddy(edtSelFrom);
    auto* to = new QLabel(QStringLiteral("&to"), GroupBox1);
    to->setBuddy(edtSelTo);
    auto* range = new QGridLayout(GroupBox1);
    range->addWidget(radAll, 0, 0, 1, 4);
    range->addWidget(radNo, 1, 0);
    range->addWidget(from, 1, 1);
    range->addWidget(edtSelFrom, 1, 2);
    range->addWidget(to, 1, 3);
    range->addWidget(edtSelTo, 1, 4);

    Progress1 = new QProgressBar(this);
    Progress1->setObjectName(QStringLiteral("Progress1"));
    SText1 = new QLabel(this);
    SText1->setObjectName(QStringLiteral("SText1"));
    pnlBytes = new QWidget(this);
    pnlBytes->setObjectName(QStringLiteral("pnlBytes"));
    SText2 = new QLabel(QStringLiteral("total bytes"), pnlBytes);
    SText2->setObjectName(QStringLiteral("SText2"));
    lblTotalBytes = new QLabel(pnlBytes);
    lblTotalBytes->setObjectName(QStringLiteral("lblTotalBytes"));
    lblBytesReceived = new QLabel(pnlBytes);
    lblBytesReceived->setObjectName(QStringLiteral("lblBytesReceived"));
    lblTimeLeft = new QLabel(pnlBytes);
    lblTimeLeft->setObjectName(QStringLiteral("lblTimeLeft"));
    auto* bytes = new QGridLayout(pnlBytes);
    bytes->setContentsMargins(0, 0, 0, 0);
    bytes->addWidget(SText2, 0, 0);
    bytes->addWidget(lblTotalBytes, 0, 1, Qt::AlignRight);
    bytes->addWidget(lblTimeLeft, 1, 2);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        cancelPressed = true;
        reject();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(pnlBytes);
    layout->addWidget(SText1);
    layout->addWidget(Progress1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : {static_cast<QWidget*>(GroupBox1), pnlBytes, static_cast<QWidget*>(Progress1),
                       static_cast<QWidget*>(SText1), static_cast<QWidget*>(btnOK),
                       static_cast<QWidget*>(btnCancel)})
        w->hide();
}

void TfrmScope::ShowRangeChoice(const QString& caption, int lastItem)
{
    setWindowTitle(caption);
    edtSelFrom->setText(QStringLiteral("1"));
    edtSelTo->setText(QString::number(lastItem));
    GroupBox1->show();
    btnOK->show();
    btnCancel->show();
}

void TfrmScope::ShowProgress(const QString& caption, const QString& status, int maximum,
                             bool withCancel)
{
    setWindowTitle(caption);
    GroupBox1->hide();
    btnOK->hide();
    Progress1->setRange(0, maximum);
    Progress1->setValue(0);
    Progress1->show();
    SText1->setText(status);
    SText1->show();
    btnCancel->setVisible(withCancel);
    cancelPressed = false;
    setResult(0);
    setModal(false);
    show();
}

void TfrmScope::SetPosition(int position) { Progress1->setValue(position); }

void TfrmScope::SetStatus(const QString& text) { SText1->setText(text); }

void TfrmScope::ShowDownloadProgress(const QString& caption, int totalBytes)
{
    // Received bytes stand beside their static text, the total beside its own.
    auto* bytes = static_cast<QGridLayout*>(pnlBytes->layout());
    bytes->addWidget(SText1, 1, 0);
    bytes->addWidget(lblBytesReceived, 1, 1, Qt::AlignRight);
    SText1->setText(QStringLiteral("bytes received"));
    lblTotalBytes->setText(QString::number(totalBytes));
    lblBytesReceived->setText(QStringLiteral("0"));
    lblTimeLeft->clear();
    pnlBytes->show();
    setWindowModality(Qt::ApplicationModal);
    ShowProgress(caption, SText1->text(), totalBytes);
}

void TfrmScope::SetBytesReceived(int received, const QString& timeLeft)
{
    lblBytesReceived->setText(QString::number(received));
    lblTimeLeft->setText(timeLeft);
    Progress1->setValue(received);
}
