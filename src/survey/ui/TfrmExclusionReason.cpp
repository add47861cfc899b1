#include "survey/ui/TfrmExclusionReason.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmExclusionReason::TfrmExclusionReason(const QString& span, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Exclude A\u2013B"));
    lblSpan = new QLabel(span, this);
    lblSpan->setObjectName(QStringLiteral("lblSpan"));
    txtReason = new QLineEdit(this);
    txtReason->setObjectName(QStringLiteral("txtReason"));
    txtReason->setPlaceholderText(QStringLiteral("Reason, e.g. dog barking"));
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    QPushButton* ok = Buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    // A survey read later must say why each span is missing.
    connect(txtReason, &QLineEdit::textChanged, ok, [this, ok] { ok->setEnabled(!Reason().isEmpty()); });
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSpan);
    layout->addWidget(new QLabel(QStringLiteral("Reason:"), this));
    layout->addWidget(txtReason);
    layout->addWidget(Buttons);
    resize(420, sizeHint().height());
}

QString TfrmExclusionReason::Reason() const
{
    return txtReason->text().simplified();
}
