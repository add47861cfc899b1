#pragma once
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The range and progress window: asks which items to save, or shows the progress of a
// long save or import with a Cancel button.
class TfrmScope : public QDialog {
    Q_OBJECT
public:
    explicit TfrmScope(QWidget* parent = nullptr);

    // The range form: "&All" checked, from "1", to the last item.
    void ShowRangeChoice(const QString& caption, int lastItem);
    // The progress form: bar 0..maximum at 0, the status text and Cancel (unless the work
    // cannot be cancelled); not modal.
    void ShowProgress(const QString& caption, const QString& status, int maximum,
                      bool withCancel = true);
    void SetPosition(int position);
    void SetStatus(const QString& text);
    bool CancelPressed() const { return cancelPressed; }

    // The download form: total and received bytes, the bar over the total, the time left and
    // Cancel; not modal to the window system, but nothing else can be clicked meanwhile.
    void ShowDownloadProgress(const QString& caption, int totalBytes);
    void SetBytesReceived(int received, const QString& timeLeft);

    QRadioButton* radAll;
    QRadioButton* radNo;
    QLineEdit* edtSelFrom;
    QLineEdit* edtSelTo;
    QProgressBar* Progress1;
    QLabel* SText1;
    QLabel* SText2;
    QLabel* lblTotalBytes;
    QLabel* lblBytesReceived;
    QLabel* lblTimeLeft;

private:
    QWidget* pnlBytes;
    QGroupBox* GroupBox1;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    bool cancelPressed = false;
};
