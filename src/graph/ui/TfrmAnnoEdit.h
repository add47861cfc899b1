#pragma once
#include <QDialog>

class QLineEdit;

// Asks for the text of a new mark: one edit box with OK and Cancel, no caption.
class TfrmAnnoEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAnnoEdit(QWidget* parent = nullptr);
    QLineEdit* Edit1;
};
