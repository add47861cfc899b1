#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/ReportCommand.h"
#include "HexImage.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// As a standard string, so that a failing comparison shows the text.
std::string Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// A night's log of qx574 watch, one reading a minute from 22:50 to 23:20: 50 dB, but 70 dB at
// 23:00 and 23:01 (a lorry) and 80 dB at 23:10 (a dog next to the meter).
QByteArray NightLog()
{
    QByteArray log = "time,record,level_db,weighting,response,range,over_under,meter_clock,leq_db,lmax_db,lmin_db,"
                     "readings,note\n";
    for (int minute = 50; minute <= 80; ++minute) {
        const QByteArray level = minute == 60 || minute == 61 ? "70.0" : minute == 70 ? "80.0" : "50.0";
        log += QStringLiteral("2024-05-06 %1:%2:00.000,reading,")
                   .arg(22 + minute / 60)
                   .arg(minute % 60, 2, 10, QChar(u'0'))
                   .toLatin1()
            + level + ",dBA,FAST,30-130,,,,,,,\n";
    }
    return log;
}

const char* const DogBarking = "2024-05-06 23:10:00/2024-05-06 23:11:00/dog barking";

// The tables of the night with the dog left out, by hand:
// 22:45: ten readings at 50 dB, 600 s of 900 s = 66.7 %, SEL 50 + 10 log10(600) = 77.8.
// 23:00: fifteen readings less the dog: Leq 10 log10((2 x 10^7 + 12 x 10^5) / 14) = 61.8,
//        L10 the 2nd loudest of 14 (70), 840 s = 93.3 %, SEL 61.80 + 10 log10(840) = 91.0.
// 23:15: six readings, 40.0 %, SEL 50 + 10 log10(360) = 75.6.
const std::string NightPeriods =
    "set,start,end,coverage_pct,valid_samples,leq_db,lmax_db,lmin_db,l10_db,l50_db,l90_db,sel_db\n"
    "1,2024-05-06 22:45:00,2024-05-06 23:00:00,66.7,10,50.0,50.0,50.0,50.0,50.0,50.0,77.8\n"
    "1,2024-05-06 23:00:00,2024-05-06 23:15:00,93.3,14,61.8,70.0,50.0,70.0,50.0,50.0,91.0\n"
    "1,2024-05-06 23:15:00,2024-05-06 23:30:00,40.0,6,50.0,50.0,50.0,50.0,50.0,50.0,75.6\n";
// Evening 22:50-22:59 at 50 dB; night 23:00-23:20 less the dog: 10 log10((2 x 10^7 + 18 x
// 10^5) / 20) = 60.4, its 10th highest of 20 is 50; 600 s of 4 h and 1200 s of 8 h are 4.2 %.
// No day: no Lden, no Ldn.
const std::string NightDen =
    "set,date,lday_db,levening_db,lnight_db,lden_db,ldn_db,night_l10th_db,day_coverage_pct,"
    "evening_coverage_pct,night_coverage_pct,night_nth_highest_db\n"
    "1,2024-05-06,,50.0,60.4,,,50.0,0.0,4.2,4.2,50.0\n";
// The lorry: two minutes at 70 dB, SEL 70 + 10 log10(120) = 90.8; the dog is no event.
const std::string NightEvents =
    "set,event,start,end,duration_s,leq_db,lmax_db,sel_db\n"
    "1,1,2024-05-06 23:00:00,2024-05-06 23:02:00,120.0,70.0,70.0,90.8\n";

class ReportAnalysis : public ::testing::Test {
protected:
    TestEnvironment env;
    QTemporaryDir dir;
    QString messages;
    Console console{&messages, false};

    ReportAnalysis() { WriteTestFile(Path("night.csv"), NightLog()); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static ReportOptions Asked(const QString& source, const QString& csv)
    {
        ReportOptions options;
        options.source = source;
        options.csv = csv;
        options.periodMinutes = 15;
        options.den = true;
        options.events = true;
        options.aboveDb = 65.0;
        options.forSeconds = 10.0;
        return options;
    }
    void WriteSurvey(const QByteArray& sha256)
    {
        WriteTestFile(Path("night.qxs"), R"({"format": "qx574-survey", "version": 1,
            "source": {"path": "night.csv", "set": 1, "sha256": ")" + sha256 + R"("},
            "exclusions": [{"from": "2024-05-06T23:10:00", "to": "2024-05-06T23:11:00", "reason": "dog barking"}],
            "details": {"project": "Mill Lane"}})");
    }
};

}  // namespace

// The same figures from the log with --exclude and from a survey of it: one file per table.
TEST_F(ReportAnalysis, TheNightsTablesFromTheLogAndFromItsSurvey)
{
    WriteSurvey(QCryptographicHash::hash(NightLog(), QCryptographicHash::Sha256).toHex());
    ReportOptions fromLog = Asked(Path("night.csv"), Path("log/night.csv"));
    fromLog.exclusions.push_back({ReadIsoDateTime(QStringLiteral("2024-05-06 23:10:00"), nullptr),
                                  ReadIsoDateTime(QStringLiteral("2024-05-06 23:11:00"), nullptr),
                                  QStringLiteral("dog barking")});
    ASSERT_TRUE(QDir(dir.path()).mkpath("log") && QDir(dir.path()).mkpath("survey"));
    for (const ReportOptions& options : {fromLog, Asked(Path("night.qxs"), Path("survey/night.csv"))}) {
        SCOPED_TRACE(options.source.toStdString());
        messages.clear();
        ASSERT_EQ(RunReport(options, console), ExitStatus::Ok) << messages.toStdString();
        const QString folder = QFileInfo(options.csv).path();
        EXPECT_EQ(Read(folder + "/night-periods.csv"), NightPeriods);
        EXPECT_EQ(Read(folder + "/night-den.csv"), NightDen);
        EXPECT_EQ(Read(folder + "/night-events.csv"), NightEvents);
        EXPECT_FALSE(QFile::exists(options.csv)) << "several tables: a file each";
        // 30 valid minutes, 2 of them at or above 65 dB.
        EXPECT_TRUE(messages.contains("Set 1: 1 event(s) at or above 65.0 dB; 120.0 s of 1800.0 s measured at or "
                                      "above it (6.7 %)."))
            << messages.toStdString();
    }
}

TEST_F(ReportAnalysis, DistributionExposureAndJson)
{
    ReportOptions options;
    options.source = Path("night.csv");
    options.csv = Path("night.csv.out");
    options.json = Path("night.json");
    options.histogramWidthDb = 5.0;
    options.exposure = true;
    ASSERT_EQ(RunReport(options, console), ExitStatus::Ok) << messages.toStdString();
    // All 31 readings: 28 at 50 dB, 2 at 70, 1 at 80.
    EXPECT_EQ(Read(Path("night.csv-histogram.out")),
              "set,class_low_db,class_high_db,time_pct,cumulative_pct\n"
              "1,50.0,55.0,90.3,100.0\n"  // 28 / 31
              "1,55.0,60.0,0.0,9.7\n"
              "1,60.0,65.0,0.0,9.7\n"
              "1,65.0,70.0,0.0,9.7\n"
              "1,70.0,75.0,6.5,9.7\n"     // 2 / 31
              "1,75.0,80.0,0.0,3.2\n"
              "1,80.0,85.0,3.2,3.2\n");   // 1 / 31
    // Leq 10 log10((28 x 10^5 + 2 x 10^7 + 10^8) / 31) = 10 log10(3.962e6) = 66.0 over 1860 s:
    // LEX,8h 66.0 + 10 log10(1860 / 28800) = 54.1; dose 100 x 1860/28800 x 10^((65.98 - 85) / 10) = 0.1;
    // nothing at 90 dB for OSHA; the minute at 80 dB for hearing conservation:
    // 100 x 60 / (28800 x 2^((90 - 80) / 5)) = 0.05, shown 0.1.
    EXPECT_EQ(Read(Path("night.csv-exposure.out")),
              "set,lex8h_db,dose_85_3_pct,osha_dose_pct,osha_twa_db,hc_dose_pct,eu_verdict\n"
              "1,54.1,0.1,0.0,,0.1,below the lower exposure action value (80 dB(A)); peak sound pressure is not "
              "measured by this meter; the levels are the FAST response as recorded\n");

    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(Read(Path("night.json")))).object();
    EXPECT_EQ(json["metrics"].toArray()[0].toObject()["valid_samples"].toInt(), 31);
    EXPECT_DOUBLE_EQ(json["metrics"].toArray()[0].toObject()["leq_db"].toDouble(), 66.0);
    EXPECT_TRUE(json["metrics"].toArray()[0].toObject()["lden_db"].isNull());
    EXPECT_EQ(json["histogram"].toArray().size(), 7);
    EXPECT_DOUBLE_EQ(json["exposure"].toArray()[0].toObject()["lex8h_db"].toDouble(), 54.1);
    EXPECT_DOUBLE_EQ(json["settings"].toObject()["histogram_width_db"].toDouble(), 5.0);
    EXPECT_FALSE(json.contains("periods"));
}

TEST_F(ReportAnalysis, ASurveyWhoseSourceMovedOrChangedSaysSo)
{
    WriteSurvey(QByteArray(64, 'a'));
    ASSERT_EQ(RunReport(Asked(Path("night.qxs"), Path("out.csv")), console), ExitStatus::Ok);
    EXPECT_TRUE(messages.contains("Warning: The recording " + QDir::toNativeSeparators(Path("night.csv"))
                                  + " has changed since the survey " + QDir::toNativeSeparators(Path("night.qxs"))))
        << messages.toStdString();

    QFile::remove(Path("night.csv"));
    EXPECT_EQ(RunReport(Asked(Path("night.qxs"), Path("out.csv")), console), ExitStatus::File);
    EXPECT_TRUE(messages.contains("The recording " + QDir::toNativeSeparators(Path("night.csv")) + " that the survey "
                                  + QDir::toNativeSeparators(Path("night.qxs")) + " names is missing"))
        << messages.toStdString();
}

// A C-weighted collection set gives no exposure and says why; a graph's levels are taken as
// A-weighted, and the verdict says so.
TEST_F(ReportAnalysis, ExposureOfACollectionAndOfAGraph)
{
    WriteTestFile(Path("golden.REC"), [] {
        const std::vector<std::uint8_t> image = ReadHexImage("memory_back_to_back.hex");
        return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
    }());
    ReportOptions options;
    options.source = Path("golden.REC");
    options.csv = Path("exposure.csv");
    options.exposure = true;
    ASSERT_EQ(RunReport(options, console), ExitStatus::Ok) << messages.toStdString();
    const QList<QByteArray> lines = QByteArray::fromStdString(Read(Path("exposure.csv"))).split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[1].startsWith("1,")) << "set 1 is dBA";
    EXPECT_FALSE(lines[1].startsWith("1,,"));
    EXPECT_EQ(lines[2], "2,,,,,,not given: the levels are C-weighted (dBC) and exposure needs A-weighted levels");

    // The metrics of the same collection: set 2's exposure is left empty, and the user is told.
    options = {};
    options.source = Path("golden.REC");
    options.csv = Path("metrics.csv");
    ASSERT_EQ(RunReport(options, console), ExitStatus::Ok) << messages.toStdString();
    const QList<QByteArray> metrics = QByteArray::fromStdString(Read(Path("metrics.csv"))).split('\n');
    ASSERT_GE(metrics.size(), 3);
    const QList<QByteArray> set1 = metrics[1].split(','), set2 = metrics[2].split(',');
    ASSERT_EQ(set2.size(), 16);
    EXPECT_FALSE(set1[13].isEmpty()) << "set 1 is dBA: " << metrics[1].toStdString();
    EXPECT_TRUE(set2[13].isEmpty() && set2[14].isEmpty()) << metrics[2].toStdString();
    EXPECT_FALSE(set2[4].isEmpty()) << "its Leq stays";
    EXPECT_TRUE(messages.contains(QStringLiteral("Set 2: lex8h_db and dose_pct left empty: the levels are C-weighted "
                                                 "(dBC) and exposure needs A-weighted levels.")))
        << messages.toStdString();

    options.csv = Path("exposure.csv");
    options.exposure = true;
    const std::vector<std::uint8_t> graph = ReadHexImage("two-points.ghf.hex");
    WriteTestFile(Path("two.ghf"), QByteArray(reinterpret_cast<const char*>(graph.data()), static_cast<qsizetype>(graph.size())));
    options.source = Path("two.ghf");
    ASSERT_EQ(RunReport(options, console), ExitStatus::Ok) << messages.toStdString();
    // 55.5 and 72.25 dB a second apart: Leq 69.33, LEX,8h 69.33 + 10 log10(2 / 28800) = 27.7.
    EXPECT_EQ(Read(Path("exposure.csv")),
              "set,lex8h_db,dose_85_3_pct,osha_dose_pct,osha_twa_db,hc_dose_pct,eu_verdict\n"
              "1,27.7,0.0,0.0,,0.0,\"below the lower exposure action value (80 dB(A)); peak sound pressure is not "
              "measured by this meter; the levels are the response they were recorded with, which is not known "
              "here; the weighting is not recorded with these levels, which are taken as A-weighted\"\n");
}

// As a script runs it, without a display: several tables on standard output one after
// another, each with its header, a blank line between.
TEST_F(ReportAnalysis, TheProgramPrintsTheTablesOneAfterAnother)
{
    WriteSurvey(QCryptographicHash::hash(NightLog(), QCryptographicHash::Sha256).toHex());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), dir.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QX574_PROGRAM), {"report", Path("night.qxs"), "--periods", "15m", "--den", "--events",
                                                  "--above", "65", "--for", "10"});
    ASSERT_TRUE(program.waitForFinished(120000));
    const QByteArray errors = program.readAllStandardError();
    EXPECT_EQ(program.exitCode(), ExitStatus::Ok) << errors.toStdString();
    EXPECT_EQ(program.readAllStandardOutput().toStdString(), NightPeriods + "\n" + NightDen + "\n" + NightEvents);
}
