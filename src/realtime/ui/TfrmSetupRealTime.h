#pragma once
#include <QDialog>

class QComboBox;
class QLineEdit;

// Asks the number of samples and the seconds per sample of a real-time run and shows
// the recording period they give.
class TfrmSetupRealTime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetupRealTime(QWidget* parent = nullptr);

    QLineEdit* edtRealTimeNo() const { return count; }
    QComboBox* txtRate() const { return rate; }
    QLineEdit* edtPeriod() const { return period; }

    void FormShow();
    void edtRealTimeNoChange();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* count;
    QComboBox* rate;
    QLineEdit* period;
};
