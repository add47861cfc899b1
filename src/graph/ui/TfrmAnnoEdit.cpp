#include "graph/ui/TfrmAnnoEdit.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmAnnoEdit::TfrmAnnoEdit(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAnnoEdit"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    Edit1 = new QLineEdit(frame);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(220);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, frame);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(Edit1);
    inner->addWidget(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
}
