#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// The About box, also shown without its OK button as the splash window at start-up.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    QLabel* Label4() const { return label4; }
    QPushButton* BitBtn1() const { return bitBtn1; }

private:
    QLabel* label4;
    QPushButton* bitBtn1;
};

// The splash window: the About box without its OK button, drawn before the program goes on
// loading; it deletes itself when closed.
TfrmAbout* ShowSplash();
