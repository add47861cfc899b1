#pragma once
#include <QDialog>

class QDateEdit;
class QTimeEdit;

// Asks for a date and a time of day, as a new start time of a data set.
class TfrmDateTime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDateTime(QWidget* parent = nullptr);

    // Shows days to the second, as the time picker does.
    void SetDateTime(double days);
    // The picker date plus the picker time to the second, as a day count.
    double DateTime() const;

    QDateEdit* DatePicker;
    QTimeEdit* TimePicker;
};
