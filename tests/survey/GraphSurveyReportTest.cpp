// A graph window's survey details and its survey report: the details count as a change of the
// survey, and the window's report gives the figures of qx574 report for the same survey.
#include "GraphWindowFixture.h"
#include "PdfReader.h"
#include "cli/Console.h"
#include "cli/ReportCommand.h"
#include "cli/ReportDrawing.h"
#include "graph/ui/GraphWindowCommands.h"
#include "report/ui/DataSetsReport.h"
#include "report/ui/DrawSurveyReport.h"
#include "survey/ui/EditGraphSurveyDetails.h"
#include "survey/ui/SaveGraphReport.h"
#include "survey/ui/SurveyDetailsDialog.h"
#include "survey/ui/OpenSurvey.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// An hour's log of qx574 watch, one reading a minute from 23:00: 50 dB with a lorry (70 dB)
// at 23:10-23:11.
QByteArray HourLog()
{
    QByteArray log = "time,record,level_db,weighting,response,range,over_under,meter_clock,leq_db,lmax_db,lmin_db,"
                     "readings,note\n";
    for (int minute = 0; minute < 60; ++minute)
        log += QStringLiteral("2024-05-06 23:%1:00.000,reading,%2,dBA,FAST,30-130,,,,,,,\n")
                   .arg(minute, 2, 10, QChar(u'0'))
                   .arg(minute == 10 || minute == 11 ? QStringLiteral("70.0") : QStringLiteral("5%1.0").arg(minute % 4))
                   .toLatin1();
    return log;
}

const QByteArray SurveyText = R"({"format": "qx574-survey", "version": 1, "source": {"path": "hour.csv"},
    "exclusions": [{"from": "2024-05-06T23:30:00", "to": "2024-05-06T23:32:00", "reason": "operator at the meter"}],
    "analysis": {"period_minutes": 15, "events": {"above_db": 65, "for_s": 60}},
    "details": {"project": "Mill Lane residential", "operator": "A. Acoustician", "offset_db": 0.5,
                "instrument": {"model": "QX574", "serial": "QX-000731", "class": 2},
                "calibration": {"before": {"time": "2024-05-06T22:45:00", "level_db": 94.0},
                                "after": {"time": "2024-05-07T00:15:00", "level_db": 94.7}},
                "purpose": "environmental"}})";

class GraphSurveyReportTest : public GraphWindowTest {
protected:
    GraphSurveyReportTest()
    {
        services.Report = [](TfrmGraph& graph) { SaveGraphReport(graph); };
        services.SurveyDetails = [](TfrmGraph& graph) { EditGraphSurveyDetails(graph); };
        window = std::make_unique<TfrmGraph>(services);
        window->resize(1152, 699);
        Fill({50, 50, 90, 91, 50, 50, 50, 50, 50, 50}, At(10, 0, 0), Facts(1.0));
        // The drawing the window program installs for its command line.
        InstalledReportDrawing() = {nullptr, WriteDataSetsReport, WriteSurveyReportPdf};
    }
    ~GraphSurveyReportTest() override { InstalledReportDrawing() = {}; }

    QString Path(const char* name) const { return environment.Root() + u'/' + QString::fromLatin1(name); }

    // Survey Details… typing the project and the picture, then OK; or Cancel.
    void EditDetails(const QString& project, const QString& picture, bool ok)
    {
        fake.prompts.onModal = [=](QDialog& dialog) {
            auto& form = dynamic_cast<SurveyDetailsDialog&>(dialog);
            form.project->setText(project);
            form.picture->setText(picture);
            if (!ok)
                return int(QDialog::Rejected);
            form.findChild<QPushButton*>("OK")->click();
            return form.result();
        };
        window->btnSurveyDetails->click();
    }

    // Report (PDF)… of the window into path.
    void Report(const QString& path)
    {
        fake.prompts.fileNames.push_back(path);
        window->btnReport->click();
    }
};

// Cancel changes nothing; OK makes the details the survey's, a change that closing asks about
// and that the survey file then keeps. The picture goes beside the survey, or into the
// documents folder while there is no survey file.
TEST_F(GraphSurveyReportTest, DetailsAreTheSurveysUnsavedUntilSaved)
{
    WriteTestFile(Path("sketch.png"), "PNG");
    ASSERT_TRUE(QDir().mkpath(environment.DocumentsDir()));
    EditDetails(QStringLiteral("Mill Lane"), Path("sketch.png"), false);
    EXPECT_TRUE(window->GraphSurvey().details.IsEmpty());
    EXPECT_FALSE(window->SurveyUnsaved());
    EXPECT_FALSE(window->HasSurvey());

    EditDetails(QStringLiteral("Mill Lane"), Path("sketch.png"), true);
    EXPECT_EQ(window->GraphSurvey().details.project, QStringLiteral("Mill Lane"));
    EXPECT_EQ(window->GraphSurvey().details.picture, QStringLiteral("sketch.png"));
    EXPECT_TRUE(QFile::exists(environment.DocumentsDir() + QStringLiteral("/sketch.png")));
    EXPECT_TRUE(window->SurveyUnsaved());
    EXPECT_TRUE(window->HasSurvey());

    fake.prompts.answers = {Prompts::Answer::Yes};
    const QString survey = environment.Root() + QStringLiteral("/survey/night.qxs");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(survey).absolutePath()));
    fake.prompts.fileNames.push_back(survey);
    EXPECT_TRUE(window->FormCloseQuery());
    ASSERT_EQ(fake.prompts.questions.size(), 1);
    EXPECT_TRUE(fake.prompts.questions[0].contains(QStringLiteral("survey details")));
    EXPECT_FALSE(window->SurveyUnsaved());
    QString error;
    const std::optional<Survey> saved = ReadSurveyFile(survey, &error);
    ASSERT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(saved->details.project, QStringLiteral("Mill Lane"));

    // Saved, a picture chosen now goes beside the survey file.
    EditDetails(QStringLiteral("Mill Lane"), Path("sketch.png"), true);
    EXPECT_TRUE(QFile::exists(environment.Root() + QStringLiteral("/survey/sketch.png")));
}

// A graph without a survey keeps its one-page report; exclusions make it the survey's report
// of several pages, naming the survey as not saved. A file that cannot be written is named.
TEST_F(GraphSurveyReportTest, TheReportIsTheSurveysOnceTheGraphHasOne)
{
    Report(Path("plain.pdf"));
    EXPECT_EQ(PdfPageCount(Path("plain.pdf")), 1);

    window->AddExclusion({At(10, 0, 2), At(10, 0, 4), QStringLiteral("dog")});
    Report(Path("survey.pdf"));
    EXPECT_GT(PdfPageCount(Path("survey.pdf")), 1);
    const QString text = PdfText(Path("survey.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of")));
    EXPECT_TRUE(text.contains(QStringLiteral("dog")));
    EXPECT_TRUE(text.contains(QStringLiteral("not saved in a file")));

    const QString unwritable = Path("missing/folder/survey.pdf");
    Report(unwritable);
    ASSERT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_TRUE(fake.prompts.Errors()[0].contains(QDir::toNativeSeparators(unwritable)));
    EXPECT_FALSE(QFile::exists(unwritable));
}

// The window's report of a survey opened from its file is, word for word, the report that
// qx574 report SURVEY.qxs --pdf writes: the same figures with the offset, details and
// provenance. Once the details change, the provenance says the survey file no longer holds them.
TEST_F(GraphSurveyReportTest, TheWindowsReportIsTheCommandLinesForTheSameSurvey)
{
    WriteTestFile(Path("hour.csv"), HourLog());
    WriteTestFile(Path("hour.qxs"), SurveyText);
    std::unique_ptr<TfrmGraph> opened(OpenSurveyWindow(Path("hour.qxs"), services));
    ASSERT_TRUE(opened);
    window = std::move(opened);
    Report(Path("window.pdf"));

    ReportOptions options;
    options.source = Path("hour.qxs");
    options.pdf = Path("command.pdf");
    QString said;
    Console console(&said, false);
    ASSERT_EQ(RunReport(options, console), 0) << said.toStdString();

    const QString windowText = PdfText(Path("window.pdf"));
    EXPECT_FALSE(windowText.isEmpty());
    EXPECT_EQ(windowText, PdfText(Path("command.pdf")));
    for (const char* expected : {"+0.5 dB", "FLAGGED", "hour.csv", "hour.qxs", "FAST", "operator at the meter"})
        EXPECT_TRUE(windowText.contains(QString::fromUtf8(expected))) << expected;

    EditDetails(QStringLiteral("Mill Lane, revised"), QString(), true);
    Report(Path("changed.pdf"));
    EXPECT_TRUE(PdfText(Path("changed.pdf")).contains(QStringLiteral("hour.qxs, with changes not saved")));
}

// A survey saved from a window whose levels are in no file (the real-time graph; a download not
// saved) keeps them beside it, with the facts of how they were measured: the window's report
// then names that file and its hash, and is word for word the command line's.
TEST_F(GraphSurveyReportTest, ASurveySavedFromAWindowOfLevelsInNoFileReportsAsTheCommandLineDoes)
{
    window->SetRole(std::make_unique<RecordingRole>(GraphRole::Kind::RealTime));
    Recording facts = Facts(1.0, Weighting::A);
    facts.response = Response::Fast;
    facts.range = MeterRanges[3];
    Fill({50, 50, 90, 91, 50, 50, 50, 50, 50, 50}, At(22, 0, 0), facts);
    window->AddExclusion({At(22, 0, 2), At(22, 0, 4), QStringLiteral("dog")});
    ASSERT_TRUE(WriteGraphSurvey(*window, Path("night.qxs")));
    Report(Path("window.pdf"));

    ReportOptions options;
    options.source = Path("night.qxs");
    options.pdf = Path("command.pdf");
    QString said;
    Console console(&said, false);
    ASSERT_EQ(RunReport(options, console), 0) << said.toStdString();

    const QString windowText = PdfText(Path("window.pdf"));
    EXPECT_EQ(windowText, PdfText(Path("command.pdf")));
    for (const char* expected : {"night.ghf", "A (dBA)", "FAST (125 ms)", "30-130 dB"})
        EXPECT_TRUE(windowText.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(windowText.contains(QStringLiteral("not saved in a file")));
}

}  // namespace
