#pragma once
#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks why a span is left out of the analysis ("dog barking"); OK needs a reason.
class TfrmExclusionReason : public QDialog {
    Q_OBJECT
public:
    // span: the span in words, shown above the box.
    explicit TfrmExclusionReason(const QString& span, QWidget* parent = nullptr);

    QString Reason() const;

    QLabel* lblSpan;
    QLineEdit* txtReason;
    QDialogButtonBox* Buttons;
};
