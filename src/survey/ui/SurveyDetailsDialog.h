#pragma once
#include "survey/SurveyDetails.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Survey Details…": the facts a signed report states about a survey, edited as a form. The
// drift between the calibration checks is shown as they are typed, and flagged beyond
// ±0.5 dB. OK takes the values only when every number and time in them reads; otherwise it
// says which does not and the dialog stays open.
class SurveyDetailsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SurveyDetailsDialog(const SurveyDetails& details, QWidget* parent = nullptr);

    // The values as the form holds them; nothing, with the first that does not read named in
    // *problem, when one does not.
    std::optional<SurveyDetails> Details(QString* problem) const;
    void accept() override;

    QLineEdit *project, *client, *site, *position, *operatorName, *reportId, *picture;
    QPushButton* choosePicture;
    QLineEdit *instrumentModel, *instrumentSerial, *verified;
    QComboBox* iecClass;
    QLineEdit *calibratorModel, *calibratorSerial, *referenceDb;
    QLineEdit *beforeTime, *beforeDb, *afterTime, *afterDb;
    QLabel* drift;
    QLineEdit* offsetDb;
    QComboBox* purpose;
    QPlainTextEdit* notes;

private:
    void ShowDrift();
    void ChoosePicture();
    SurveyDetails original;
};

// Shows the dialog for details; the details as edited after OK, nothing after Cancel. A
// picture chosen from elsewhere is copied into surveyFolder (never over a file there) and named
// by its file name; when it cannot be copied an error naming it is shown and the earlier
// picture kept.
std::optional<SurveyDetails> EditSurveyDetails(const SurveyDetails& details, const QString& surveyFolder,
                                               QWidget* parent = nullptr);
