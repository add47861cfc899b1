#include "HexImage.h"
#include "FullDisk.h"
#include "survey/SurveyFile.h"
#include "shell/Formats.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

double At(const char* text) { return ReadIsoDateTime(QString::fromLatin1(text), nullptr); }

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The survey the golden file holds, as the program's own values.
Survey GoldenSurvey()
{
    Survey survey;
    survey.source = {QStringLiteral("recordings/night.REC"), 2,
                     QStringLiteral("9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08")};
    survey.exclusions = {
        {At("2024-05-06 23:40:00"), At("2024-05-06 23:42:30"), QStringLiteral("dog barking")},
        {At("2024-05-07 05:10:00") + 0.5 * OneSecond, At("2024-05-07 05:10:04"), QStringLiteral("car door, twice")},
    };
    DenSettings den;
    den.day = {6 * 60, 18 * 60};
    den.evening = {18 * 60, 22 * 60};
    den.night = {22 * 60, 6 * 60};
    survey.analysis = {15, den, EventSettings{65.0, 10.0, 5.0}, 0.5};
    return survey;
}

}  // namespace

// The golden file was written by hand from the format: the program reads it as these values,
// and writes these values as it.
TEST(SurveyFile, TheGoldenFileReadsAndIsWrittenAsItsValues)
{
    QString error;
    const std::optional<Survey> survey = ReadSurveyFile(TestDataPath("survey-night.qxs"), &error);
    ASSERT_TRUE(survey) << error.toStdString();
    const Survey expected = GoldenSurvey();
    EXPECT_EQ(survey->source.path, expected.source.path);
    EXPECT_EQ(survey->source.set, 2);
    EXPECT_EQ(survey->source.sha256, expected.source.sha256);
    ASSERT_EQ(survey->exclusions.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(survey->exclusions[i].from, expected.exclusions[i].from, 1e-9);
        EXPECT_NEAR(survey->exclusions[i].to, expected.exclusions[i].to, 1e-9);
        EXPECT_EQ(survey->exclusions[i].reason, expected.exclusions[i].reason);
    }
    EXPECT_EQ(survey->analysis.periodMinutes, 15);
    EXPECT_EQ(survey->analysis.den, expected.analysis.den);
    EXPECT_EQ(survey->analysis.events, expected.analysis.events);
    EXPECT_EQ(survey->analysis.histogramWidthDb, 0.5);

    EXPECT_EQ(QJsonDocument::fromJson(SurveyJson(expected)), QJsonDocument::fromJson(Read(TestDataPath("survey-night.qxs"))));
}

// The details' golden file, written by hand from the format: every field set, and one this
// program does not know.
TEST(SurveyFile, TheDetailsGoldenFileReadsAsItsValuesAndKeepsTheRest)
{
    QString error;
    const std::optional<Survey> survey = ReadSurveyFile(TestDataPath("survey-details.qxs"), &error);
    ASSERT_TRUE(survey) << error.toStdString();
    SurveyDetails expected;
    expected.project = QStringLiteral("Mill Lane residential");
    expected.client = QStringLiteral("Harbour Homes Ltd");
    expected.site = QStringLiteral("12 Mill Lane, rear garden");
    expected.position = QStringLiteral("1.5 m above ground, 3.5 m from the facade");
    expected.operatorName = QStringLiteral("A. Acoustician");
    expected.reportId = QStringLiteral("ML-2024-017");
    expected.picture = QStringLiteral("mill-lane-sketch.png");
    expected.instrument = {QStringLiteral("QX574"), QStringLiteral("QX-000731"), 2, QDate(2024, 1, 31)};
    expected.calibrator = {QStringLiteral("CAL-94"), QStringLiteral("C-1182"), 94.0};
    expected.before = {At("2024-05-06 22:40:00"), 94.0};
    expected.after = {At("2024-05-07 07:05:30"), 94.7};
    expected.offsetDb = 0.5;
    expected.purpose = SurveyPurpose::Environmental;
    expected.notes = QStringLiteral("Dry, wind below 2 m/s; road traffic on Mill Lane dominant.");
    EXPECT_TRUE(survey->details == expected);
    EXPECT_EQ(CalibrationDrift(survey->details), 0.7);
    EXPECT_TRUE(IsDriftFlagged(*CalibrationDrift(survey->details)));

    // Written again: the same document, the unknown field included.
    EXPECT_EQ(QJsonDocument::fromJson(SurveyJson(*survey)),
              QJsonDocument::fromJson(Read(TestDataPath("survey-details.qxs"))));
}

// A survey written before details existed opens with them empty, is saved without them, and
// details given to it are written in full with null for the numbers not recorded.
TEST(SurveyFile, DetailsAreEmptyInOlderFilesAndWrittenWhenGiven)
{
    QString error;
    std::optional<Survey> survey = ReadSurveyFile(TestDataPath("survey-night.qxs"), &error);
    ASSERT_TRUE(survey) << error.toStdString();
    EXPECT_TRUE(survey->details.IsEmpty());
    EXPECT_FALSE(CalibrationDrift(survey->details));
    EXPECT_FALSE(QJsonDocument::fromJson(SurveyJson(*survey)).object().contains("details"));

    survey->details.project = QStringLiteral("Mill Lane");
    survey->details.before.levelDb = 94.0;
    const QJsonObject details = QJsonDocument::fromJson(SurveyJson(*survey)).object()["details"].toObject();
    EXPECT_EQ(details["project"].toString(), "Mill Lane");
    EXPECT_TRUE(details["calibration"].toObject()["after"].toObject()["level_db"].isNull());
    EXPECT_TRUE(details["instrument"].toObject()["class"].isNull());
    EXPECT_EQ(details["offset_db"].toDouble(), 0.0);
    const std::optional<Survey> again = ParseSurvey(SurveyJson(*survey), QStringLiteral("again.qxs"), &error);
    ASSERT_TRUE(again) << error.toStdString();
    EXPECT_TRUE(again->details == survey->details);
}

// The drift is flagged beyond half a decibel either way, not at it.
TEST(SurveyFile, DriftBeyondHalfADecibelIsFlagged)
{
    const struct {
        double before, after, drift;
        bool flagged;
    } cases[] = {{94.0, 94.7, 0.7, true}, {93.8, 94.3, 0.5, false}, {94.0, 93.5, -0.5, false},
                 {94.0, 93.4, -0.6, true}, {94.0, 94.0, 0.0, false}};
    for (const auto& c : cases) {
        SurveyDetails details;
        details.before.levelDb = c.before;
        details.after.levelDb = c.after;
        ASSERT_TRUE(CalibrationDrift(details));
        EXPECT_NEAR(*CalibrationDrift(details), c.drift, 1e-9) << c.before << " " << c.after;
        EXPECT_EQ(IsDriftFlagged(*CalibrationDrift(details)), c.flagged) << c.before << " " << c.after;
    }
}

// What a later version adds (survey details, fields of its own anywhere) survives a save by
// this one; a script's UTC offset is read and left out.
TEST(SurveyFile, ARoundTripKeepsWhatItDoesNotKnow)
{
    const QByteArray later = R"({"format": "qx574-survey", "version": 1,
        "source": {"path": "night.csv", "size_bytes": 81234},
        "exclusions": [{"from": "2024-05-06T12:00:00+02:00", "to": "2024-05-06T12:01:00Z", "reason": "dog",
                        "marked_by": "ana"},
                       {"from": "2024-05-06T13:00:00", "to": "2024-05-06T13:01:00", "reason": "door"}],
        "analysis": {"period_minutes": 5, "chart": {"zoom": 2}},
        "details": {"project": "Mill Lane", "calibration": {"before": {"level_db": 94.0}}}})";
    QTemporaryDir dir;
    const QString path = dir.filePath("later.qxs");
    QString error;
    std::optional<Survey> survey = ParseSurvey(later, path, &error);
    ASSERT_TRUE(survey) << error.toStdString();
    EXPECT_EQ(survey->source.set, 1) << "a source that is no collection is set 1";
    EXPECT_EQ(IsoDateTimeText(survey->exclusions[0].from), "2024-05-06 12:00:00");
    survey->exclusions.pop_back();  // the user removes one
    survey->analysis.periodMinutes = 60;
    ASSERT_TRUE(WriteSurveyFile(path, *survey, &error)) << error.toStdString();

    const QJsonObject saved = QJsonDocument::fromJson(Read(path)).object();
    EXPECT_EQ(saved["details"].toObject()["project"].toString(), "Mill Lane");
    EXPECT_EQ(saved["details"].toObject()["calibration"].toObject()["before"].toObject()["level_db"].toDouble(), 94.0);
    EXPECT_EQ(saved["source"].toObject()["size_bytes"].toInt(), 81234);
    EXPECT_EQ(saved["analysis"].toObject()["chart"].toObject()["zoom"].toInt(), 2);
    EXPECT_EQ(saved["analysis"].toObject()["period_minutes"].toInt(), 60);
    const QJsonArray exclusions = saved["exclusions"].toArray();
    ASSERT_EQ(exclusions.size(), 1);
    EXPECT_EQ(exclusions[0].toObject()["marked_by"].toString(), "ana");
    EXPECT_EQ(exclusions[0].toObject()["from"].toString(), "2024-05-06T12:00:00");

    const std::optional<Survey> again = ReadSurveyFile(path, &error);
    ASSERT_TRUE(again) << error.toStdString();
    EXPECT_EQ(again->exclusions, survey->exclusions);
}

TEST(SurveyFile, RefusesWhatIsNoSurveyNamingTheFile)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"empty", "", "is not a survey file (it is not JSON"},
        {"cut", R"({"format": "qx574-survey", "version": 1, "source": {"pa)", "is not a survey file (it is not JSON"},
        {"list", "[1, 2]", "its \"format\" is not \"qx574-survey\""},
        {"other", R"({"format": "geojson", "version": 1})", "its \"format\" is not \"qx574-survey\""},
        {"later", R"({"format": "qx574-survey", "version": 2, "source": {"path": "a.REC"}})",
         "is of version 2; this program reads version 1"},
        {"unversioned", R"({"format": "qx574-survey", "source": {"path": "a.REC"}})", "is of version (none)"},
        {"sourceless", R"({"format": "qx574-survey", "version": 1})", "names no source recording"},
        {"set 0", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC", "set": 0}})",
         "source.set (not a whole number of 1 or more)"},
        {"hash", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC", "sha256": "abc"}})",
         "source.sha256 (not 64 hexadecimal digits)"},
        {"backwards", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "exclusions": [{"from": "2024-05-06T12:00:00", "to": "2024-05-06T11:00:00", "reason": "x"}]})",
         "exclusions[1] (it does not end after it starts)"},
        {"no time", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "exclusions": [{"from": "noon", "to": "2024-05-06T11:00:00"}]})",
         "exclusions[1].from (not a date and time"},
        {"period", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "analysis": {"period_minutes": 7}})", "analysis.period_minutes"},
        {"den", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "analysis": {"den": {"day": "06-18"}}})", "do not follow one another"},
        {"class", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "details": {"instrument": {"class": 3}}})", "details.instrument.class (not 1 or 2)"},
        {"purpose", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "details": {"purpose": "industrial"}})", "details.purpose"},
        {"level", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "details": {"calibration": {"after": {"level_db": "94"}}}})",
         "details.calibration.after.level_db (not a number)"},
        {"offset", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "details": {"offset_db": 94}})", "details.offset_db"},
        {"verified", R"({"format": "qx574-survey", "version": 1, "source": {"path": "a.REC"},
            "details": {"instrument": {"verified": "last May"}}})", "details.instrument.verified"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(ParseSurvey(c.bytes, QStringLiteral("/surveys/night.qxs"), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("/surveys/night.qxs"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.message))) << error.toStdString();
    }
    QString error;
    EXPECT_FALSE(ReadSurveyFile(QStringLiteral("/nowhere/night.qxs"), &error));
    EXPECT_EQ(error, "Cannot open the file /nowhere/night.qxs.");
}

TEST(SurveyFile, SourcePathsAreRelativeToTheSurveyAndHashedWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("recordings"));
    const QString survey = dir.filePath("surveys/night.qxs");
    const QString source = dir.filePath("recordings/night.REC");
    EXPECT_EQ(RelativeSourcePath(survey, source), "../recordings/night.REC");
    EXPECT_EQ(SurveySourcePath(survey, {QStringLiteral("../recordings/night.REC"), 1, {}}), source);

    WriteTestFile(source, "test");
    QString error;
    EXPECT_EQ(FileSha256(source, &error), "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08");
    EXPECT_FALSE(FileSha256(dir.filePath("recordings/gone.REC"), &error));
    EXPECT_TRUE(error.contains("gone.REC"));
}

TEST(SurveyFile, AFailedSaveKeepsTheEarlierFileAndSaysWhy)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteSurveyFile(dir.filePath("nowhere/night.qxs"), GoldenSurvey(), &error));
    EXPECT_TRUE(error.startsWith("Cannot write the file " + QDir::toNativeSeparators(dir.filePath("nowhere/night.qxs"))))
        << error.toStdString();

    const QString path = dir.filePath("night.qxs");
    Survey small;
    small.source.path = QStringLiteral("a.REC");
    ASSERT_TRUE(WriteSurveyFile(path, small, &error));
    const QByteArray before = Read(path);
    {
        FullDisk disk(static_cast<rlim_t>(before.size() + 10));
        EXPECT_FALSE(WriteSurveyFile(path, GoldenSurvey(), &error));
    }
    EXPECT_TRUE(error.contains("night.qxs")) << error.toStdString();
    EXPECT_EQ(Read(path), before);
}
