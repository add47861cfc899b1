#pragma once
#include <QPointer>
#include <QWidget>

class QGroupBox;
class QLineEdit;
class QMdiArea;
class QPushButton;

// The service window of the data logger: sets the meter's clock and recording interval,
// erases its memory, reads its logger information and reads or writes single EEPROM bytes.
// Each button runs one complete exchange over the link session's service frames and reports
// the outcome in a message box.
class TfrmSetup : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSetup(QWidget* parent = nullptr);

    void Button1Click();  // adjust the meter's time to the computer's
    void Button2Click();  // adjust the recording interval
    void Button3Click();  // erase the logger memory
    void Button4Click();  // read the logger information
    void Button6Click();  // write an EEPROM byte
    void Button7Click();  // read an EEPROM byte
    void FormClose();

    QPushButton* Button1;
    QGroupBox* GroupBox1;
    QLineEdit* edtInt1;
    QLineEdit* edtInt2;
    QPushButton* Button2;
    QPushButton* Button3;
    QGroupBox* GroupBox2;
    QLineEdit* txtVer;
    QLineEdit* txtMeterTime;
    QLineEdit* txtInt;
    QLineEdit* txtDataSets;
    QLineEdit* txtMemoryAvailable;
    QLineEdit* txtSN;
    QLineEdit* txt94dB;
    QLineEdit* txt70dB;
    QPushButton* Button4;
    QPushButton* Button6;
    QLineEdit* txtWAddress;
    QLineEdit* txtWData;
    QPushButton* Button7;
    QLineEdit* txtRAddress;
    QLineEdit* txtRData;

signals:
    // The window closed; it is deleted later.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The setup window as a child of the area, centred in it: restored when open is, else made
// and kept in open. It frees itself when closed.
TfrmSetup& OpenSetupWindow(QMdiArea& area, QPointer<TfrmSetup>& open);
