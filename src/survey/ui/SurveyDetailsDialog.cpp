#include "survey/ui/SurveyDetailsDialog.h"

#include "shell/Formats.h"
#include "shell/ui/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QLineEdit* Field(QWidget* parent, const char* name, const QString& text, const QString& hint = {})
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(hint);
    return edit;
}

QString LevelText(const std::optional<double>& db) { return db ? OneDecimalText(*db) : QString(); }
QString TimeField(const std::optional<double>& days) { return days ? IsoDateTimeText(*days) : QString(); }

// Reads the fields of the form, keeping the first that does not read.
struct FormReader {
    QString problem;

    std::optional<double> Level(const QLineEdit* edit, const QString& label)
    {
        const QString text = edit->text().trimmed();
        if (text.isEmpty())
            return std::nullopt;
        bool ok = false;
        const double value = ReadNumber(text, &ok);
        if (!ok && problem.isEmpty())
            problem = QStringLiteral("%1: \"%2\" is not a level in dB.").arg(label, text);
        return ok ? std::optional<double>(value) : std::nullopt;
    }
    std::optional<double> Time(const QLineEdit* edit, const QString& label)
    {
        const QString text = edit->text().trimmed();
        if (text.isEmpty())
            return std::nullopt;
        bool ok = false;
        const double value = ReadIsoDateTime(text, &ok);
        if (!ok && problem.isEmpty())
            problem = QStringLiteral("%1: \"%2\" is not a date and time yyyy-MM-dd HH:mm:ss.").arg(label, text);
        return ok ? std::optional<double>(value) : std::nullopt;
    }
};

}  // namespace

SurveyDetailsDialog::SurveyDetailsDialog(const SurveyDetails& details, QWidget* parent)
    : QDialog(parent), original(details)
{
    setObjectName(QStringLiteral("SurveyDetailsDialog"));
    setWindowTitle(QStringLiteral("Survey Details"));
    const QString timeHint = QStringLiteral("yyyy-MM-dd HH:mm:ss");

    auto* survey = new QGroupBox(QStringLiteral("Survey"), this);
    auto* surveyForm = new QFormLayout(survey);
    project = Field(survey, "project", details.project);
    client = Field(survey, "client", details.client);
    site = Field(survey, "site", details.site);
    position = Field(survey, "position", details.position);
    operatorName = Field(survey, "operator", details.operatorName);
    reportId = Field(survey, "reportId", details.reportId);
    picture = Field(survey, "picture", details.picture, QStringLiteral("a sketch or photo of the site"));
    choosePicture = new QPushButton(QStringLiteral("Choose\u2026"), survey);
    choosePicture->setObjectName(QStringLiteral("choosePicture"));
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(picture);
    pictureRow->addWidget(choosePicture);
    purpose = new QComboBox(survey);
    purpose->setObjectName(QStringLiteral("purpose"));
    purpose->addItems({QStringLiteral("not recorded"), QStringLiteral("Environmental"), QStringLiteral("Occupational")});
    purpose->setCurrentIndex(static_cast<int>(details.purpose));
    surveyForm->addRow(QStringLiteral("Project:"), project);
    surveyForm->addRow(QStringLiteral("Client:"), client);
    surveyForm->addRow(QStringLiteral("Site:"), site);
    surveyForm->addRow(QStringLiteral("Position:"), position);
    surveyForm->addRow(QStringLiteral("Picture:"), pictureRow);
    surveyForm->addRow(QStringLiteral("Operator:"), operatorName);
    surveyForm->addRow(QStringLiteral("Report ID:"), reportId);
    surveyForm->addRow(QStringLiteral("Purpose:"), purpose);

    auto* instrument = new QGroupBox(QStringLiteral("Instrument and calibration"), this);
    auto* instrumentForm = new QFormLayout(instrument);
    instrumentModel = Field(instrument, "instrumentModel", details.instrument.model);
    instrumentSerial = Field(instrument, "instrumentSerial", details.instrument.serial);
    iecClass = new QComboBox(instrument);
    iecClass->setObjectName(QStringLiteral("iecClass"));
    iecClass->addItems({QStringLiteral("not recorded"), QStringLiteral("1"), QStringLiteral("2")});
    iecClass->setCurrentIndex(details.instrument.iecClass.value_or(0));
    verified = Field(instrument, "verified",
                     details.instrument.verified.isValid() ? details.instrument.verified.toString(Qt::ISODate) : QString(),
                     QStringLiteral("yyyy-MM-dd"));
    calibratorModel = Field(instrument, "calibratorModel", details.calibrator.model);
    calibratorSerial = Field(instrument, "calibratorSerial", details.calibrator.serial);
    referenceDb = Field(instrument, "referenceDb", LevelText(details.calibrator.referenceDb), QStringLiteral("dB"));
    beforeTime = Field(instrument, "beforeTime", TimeField(details.before.time), timeHint);
    beforeDb = Field(instrument, "beforeDb", LevelText(details.before.levelDb), QStringLiteral("dB"));
    afterTime = Field(instrument, "afterTime", TimeField(details.after.time), timeHint);
    afterDb = Field(instrument, "afterDb", LevelText(details.after.levelDb), QStringLiteral("dB"));
    drift = new QLabel(instrument);
    drift->setObjectName(QStringLiteral("drift"));
    offsetDb = Field(instrument, "offsetDb", details.offsetDb == 0.0 ? QString() : OneDecimalText(details.offsetDb),
                     QStringLiteral("0 dB"));
    const auto pair = [instrument](QWidget* a, QWidget* b) {
        auto* row = new QHBoxLayout;
        row->addWidget(a);
        row->addWidget(new QLabel(QStringLiteral("dB at"), instrument));
        row->addWidget(b);
        return row;
    };
    instrumentForm->addRow(QStringLiteral("Meter model:"), instrumentModel);
    instrumentForm->addRow(QStringLiteral("Meter serial number:"), instrumentSerial);
    instrumentForm->addRow(QStringLiteral("IEC 61672-1 class:"), iecClass);
    instrumentForm->addRow(QStringLiteral("Last verification:"), verified);
    instrumentForm->addRow(QStringLiteral("Calibrator model:"), calibratorModel);
    instrumentForm->addRow(QStringLiteral("Calibrator serial number:"), calibratorSerial);
    instrumentForm->addRow(QStringLiteral("Reference level (dB):"), referenceDb);
    instrumentForm->addRow(QStringLiteral("Check before:"), pair(beforeDb, beforeTime));
    instrumentForm->addRow(QStringLiteral("Check after:"), pair(afterDb, afterTime));
    instrumentForm->addRow(QStringLiteral("Drift:"), drift);
    instrumentForm->addRow(QStringLiteral("Calibration offset (dB):"), offsetDb);

    notes = new QPlainTextEdit(details.notes, this);
    notes->setObjectName(QStringLiteral("notes"));
    notes->setPlaceholderText(QStringLiteral("Source, conditions, weather"));
    notes->setMaximumHeight(90);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SurveyDetailsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SurveyDetailsDialog::reject);
    connect(beforeDb, &QLineEdit::textChanged, this, &SurveyDetailsDialog::ShowDrift);
    connect(afterDb, &QLineEdit::textChanged, this, &SurveyDetailsDialog::ShowDrift);
    connect(choosePicture, &QPushButton::clicked, this, &SurveyDetailsDialog::ChoosePicture);

    auto* columns = new QHBoxLayout;
    columns->addWidget(survey);
    columns->addWidget(instrument);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(new QLabel(QStringLiteral("Notes:"), this));
    layout->addWidget(notes);
    layout->addWidget(buttons);
    ShowDrift();
}

void SurveyDetailsDialog::ShowDrift()
{
    FormReader read;
    SurveyDetails levels;
    levels.before.levelDb = read.Level(beforeDb, {});
    levels.after.levelDb = read.Level(afterDb, {});
    const std::optional<double> value = CalibrationDrift(levels);
    if (!value) {
        drift->setText(QStringLiteral("\u2013"));
        drift->setStyleSheet({});
        return;
    }
    const bool flagged = IsDriftFlagged(*value);
    drift->setText(flagged ? SignedDbText(*value) + QStringLiteral(" \u2013 beyond \u00b10.5 dB") : SignedDbText(*value));
    drift->setStyleSheet(flagged ? QStringLiteral("color: #a01414; font-weight: bold;") : QString());
}

void SurveyDetailsDialog::ChoosePicture()
{
    const QString path = CurrentPrompts().OpenFileName(QStringLiteral("Site sketch or photo"), QString(),
                                                       QStringLiteral("Pictures (*.png *.jpg *.jpeg);;All files (*)"),
                                                       nullptr);
    if (!path.isEmpty())
        picture->setText(QDir::toNativeSeparators(path));
}

std::optional<SurveyDetails> SurveyDetailsDialog::Details(QString* problem) const
{
    FormReader read;
    SurveyDetails details = original;
    details.project = project->text().trimmed();
    details.client = client->text().trimmed();
    details.site = site->text().trimmed();
    details.position = position->text().trimmed();
    details.operatorName = operatorName->text().trimmed();
    details.reportId = reportId->text().trimmed();
    details.picture = picture->text().trimmed();
    details.purpose = static_cast<SurveyPurpose>(purpose->currentIndex());
    details.instrument.model = instrumentModel->text().trimmed();
    details.instrument.serial = instrumentSerial->text().trimmed();
    details.instrument.iecClass = iecClass->currentIndex() == 0 ? std::nullopt : std::optional<int>(iecClass->currentIndex());
    const QString date = verified->text().trimmed();
    details.instrument.verified = date.isEmpty() ? QDate() : QDate::fromString(date, Qt::ISODate);
    if (!date.isEmpty() && !details.instrument.verified.isValid())
        read.problem = QStringLiteral("Last verification: \"%1\" is not a date yyyy-MM-dd.").arg(date);
    details.calibrator.model = calibratorModel->text().trimmed();
    details.calibrator.serial = calibratorSerial->text().trimmed();
    details.calibrator.referenceDb = read.Level(referenceDb, QStringLiteral("Reference level"));
    details.before = {read.Time(beforeTime, QStringLiteral("Check before")), read.Level(beforeDb, QStringLiteral("Check before"))};
    details.after = {read.Time(afterTime, QStringLiteral("Check after")), read.Level(afterDb, QStringLiteral("Check after"))};
    details.offsetDb = read.Level(offsetDb, QStringLiteral("Calibration offset")).value_or(0.0);
    if (read.problem.isEmpty() && std::abs(details.offsetDb) > 20.0)
        read.problem = QStringLiteral("Calibration offset: %1 is more than 20 dB either way.").arg(offsetDb->text().trimmed());
    details.notes = notes->toPlainText().trimmed();
    if (!read.problem.isEmpty()) {
        if (problem)
            *problem = read.problem;
        return std::nullopt;
    }
    return details;
}

void SurveyDetailsDialog::accept()
{
    QString problem;
    if (!Details(&problem)) {
        CurrentPrompts().ShowError(problem);
        return;
    }
    QDialog::accept();
}

std::optional<SurveyDetails> EditSurveyDetails(const SurveyDetails& details, const QString& surveyFolder, QWidget* parent)
{
    SurveyDetailsDialog dialog(details, parent);
    if (CurrentPrompts().RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    std::optional<SurveyDetails> edited = dialog.Details(nullptr);
    if (!edited)
        return std::nullopt;
    // A picture from elsewhere is copied next to the survey, which names it by its file name.
    const QFileInfo chosen(edited->picture);
    if (!edited->picture.isEmpty() && chosen.isAbsolute() && !surveyFolder.isEmpty()) {
        const QString target = QDir(surveyFolder).filePath(chosen.fileName());
        const bool same = QFileInfo(target).absoluteFilePath() == chosen.absoluteFilePath();
        if (same || QFile::copy(chosen.absoluteFilePath(), target)) {
            edited->picture = chosen.fileName();
        } else {
            CurrentPrompts().ShowError(QStringLiteral("Cannot copy the picture %1 to %2 (a file of that name may be "
                                                      "there already).")
                                           .arg(QDir::toNativeSeparators(chosen.absoluteFilePath()),
                                                QDir::toNativeSeparators(surveyFolder)));
            edited->picture = details.picture;
        }
    }
    return edited;
}
