#include "FakePrompts.h"
#include "survey/ui/SurveyDetailsDialog.h"
#include "shell/Formats.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

double At(const char* text) { return ReadIsoDateTime(QString::fromLatin1(text), nullptr); }

SurveyDetails Recorded()
{
    SurveyDetails details;
    details.project = QStringLiteral("Mill Lane");
    details.instrument.serial = QStringLiteral("QX-000731");
    details.before = {At("2024-05-06 22:45:00"), 94.0};
    details.offsetDb = 0.5;
    return details;
}

SurveyDetailsDialog& Form(QDialog& dialog) { return dynamic_cast<SurveyDetailsDialog&>(dialog); }

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PNG");
}

}  // namespace

// The form opens with the details, shows the drift as the after level is typed (flagged
// beyond 0.5 dB, not at it) and gives back what was typed.
TEST(SurveyDetailsDialog, EditsTheDetailsWithTheDriftShownLive)
{
    ScopedFakePrompts fake;
    QStringList drifts;
    fake.prompts.onModal = [&](QDialog& dialog) {
        SurveyDetailsDialog& form = Form(dialog);
        EXPECT_EQ(form.objectName(), "SurveyDetailsDialog");
        EXPECT_EQ(form.project->text(), "Mill Lane");
        EXPECT_EQ(form.beforeDb->text(), OneDecimalText(94.0));
        EXPECT_EQ(form.beforeTime->text(), "2024-05-06 22:45:00");
        EXPECT_EQ(form.offsetDb->text(), OneDecimalText(0.5));
        drifts << form.drift->text();
        for (double after : {94.7, 94.5, 93.4}) {
            form.afterDb->setText(OneDecimalText(after));
            drifts << form.drift->text();
        }
        form.afterTime->setText(QStringLiteral("2024-05-07 07:05:00"));
        form.client->setText(QStringLiteral("  Harbour Homes Ltd "));
        form.iecClass->setCurrentIndex(1);
        form.verified->setText(QStringLiteral("2024-01-31"));
        form.purpose->setCurrentIndex(2);
        form.notes->setPlainText(QStringLiteral("Dry."));
        form.findChild<QPushButton*>("OK")->click();
        return form.result();
    };
    const std::optional<SurveyDetails> edited = EditSurveyDetails(Recorded(), QString());
    ASSERT_TRUE(edited);
    EXPECT_EQ(drifts, (QStringList{"\u2013", "+0.7 dB \u2013 beyond \u00b10.5 dB", "+0.5 dB",
                                   "-0.6 dB \u2013 beyond \u00b10.5 dB"}));
    SurveyDetails expected = Recorded();
    expected.client = QStringLiteral("Harbour Homes Ltd");
    expected.after = {At("2024-05-07 07:05:00"), 93.4};
    expected.instrument.iecClass = 1;
    expected.instrument.verified = QDate(2024, 1, 31);
    expected.purpose = SurveyPurpose::Occupational;
    expected.notes = QStringLiteral("Dry.");
    EXPECT_TRUE(*edited == expected);
}

// OK with a value that does not read names it and keeps the dialog open; Cancel gives nothing.
TEST(SurveyDetailsDialog, RefusesWhatDoesNotReadAndCancelKeepsTheDetails)
{
    ScopedFakePrompts fake;
    fake.prompts.onModal = [&](QDialog& dialog) {
        SurveyDetailsDialog& form = Form(dialog);
        const struct {
            QLineEdit* edit;
            const char* text;
            const char* message;
        } cases[] = {{form.afterDb, "loud", "Check after: \"loud\" is not a level in dB."},
                     {form.beforeTime, "tonight", "Check before: \"tonight\" is not a date and time"},
                     {form.verified, "31/01/2024", "Last verification: \"31/01/2024\" is not a date"},
                     {form.offsetDb, "94", "Calibration offset: 94 is more than 20 dB"}};
        for (const auto& c : cases) {
            const QString was = c.edit->text();
            c.edit->setText(QString::fromLatin1(c.text));
            form.findChild<QPushButton*>("OK")->click();
            EXPECT_TRUE(form.isVisible()) << c.text;
            const QStringList errors = fake.prompts.TakeErrors();
            EXPECT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors.value(0).startsWith(QString::fromLatin1(c.message))) << errors.value(0).toStdString();
            c.edit->setText(was);
        }
        form.project->setText(QStringLiteral("changed"));
        form.findChild<QPushButton*>("Cancel")->click();
        return form.result();
    };
    EXPECT_FALSE(EditSurveyDetails(Recorded(), QString()));
}

// A picture from elsewhere is copied next to the survey and named by its file name; one that
// would overwrite a file there is refused with its name, the earlier picture kept.
TEST(SurveyDetailsDialog, APictureIsCopiedNextToTheSurvey)
{
    QTemporaryDir elsewhere, survey;
    Touch(elsewhere.filePath("sketch.png"));
    ScopedFakePrompts fake;
    fake.prompts.onModal = [&](QDialog& dialog) {
        Form(dialog).choosePicture->click();
        Form(dialog).findChild<QPushButton*>("OK")->click();
        return dialog.result();
    };
    fake.prompts.fileNames = {elsewhere.filePath("sketch.png"), elsewhere.filePath("sketch.png")};
    std::optional<SurveyDetails> edited = EditSurveyDetails(Recorded(), survey.path());
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->picture, "sketch.png");
    EXPECT_TRUE(QFile::exists(survey.filePath("sketch.png")));

    SurveyDetails earlier = Recorded();
    earlier.picture = QStringLiteral("old.png");
    edited = EditSurveyDetails(earlier, survey.path());
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->picture, "old.png");
    const QStringList errors = fake.prompts.TakeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(elsewhere.filePath("sketch.png"))) << errors[0].toStdString();
}
