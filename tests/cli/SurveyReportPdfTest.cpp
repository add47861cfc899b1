#include "PdfReader.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace {

QJsonObject ReadJson(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// A night's log of qx574 watch, one reading a minute from 22:50 to 00:10: 50 dB with a lorry
// (70 dB) at 23:00-23:01, a dog (80 dB) at 23:10 and a van (68 dB) at 23:45-23:46.
QByteArray NightLog()
{
    QByteArray log = "time,record,level_db,weighting,response,range,over_under,meter_clock,leq_db,lmax_db,lmin_db,"
                     "readings,note\n";
    for (int minute = 50; minute <= 130; ++minute) {
        const QByteArray level = minute == 60 || minute == 61 ? "70.0"
                                 : minute == 70               ? "80.0"
                                 : minute == 105 || minute == 106 ? "68.0"
                                                                  : QByteArray::number(48 + minute % 5) + ".0";
        const int hour = 22 + minute / 60;
        log += QStringLiteral("2024-05-%1 %2:%3:00.000,reading,")
                   .arg(hour >= 24 ? 7 : 6, 2, 10, QChar(u'0'))
                   .arg(hour % 24, 2, 10, QChar(u'0'))
                   .arg(minute % 60, 2, 10, QChar(u'0'))
                   .toLatin1()
            + level + ",dBA,FAST,30-130,,,,,,,\n";
    }
    return log;
}

QByteArray FullSurvey(const QByteArray& offset)
{
    return R"({"format": "qx574-survey", "version": 1,
        "source": {"path": "night.csv"},
        "exclusions": [{"from": "2024-05-06T23:10:00", "to": "2024-05-06T23:11:00", "reason": "dog barking"},
                       {"from": "2024-05-06T23:30:00", "to": "2024-05-06T23:32:00", "reason": "operator at the meter"}],
        "analysis": {"period_minutes": 15, "events": {"above_db": 65, "for_s": 60},
                     "histogram_width_db": 1.0},
        "details": {"project": "Mill Lane residential", "client": "Harbour Homes Ltd",
                    "site": "12 Mill Lane, rear garden", "position": "1.5 m above ground, 3.5 m from the facade",
                    "operator": "A. Acoustician", "report_id": "ML-2024-017", "picture": "sketch.png",
                    "instrument": {"model": "QX574", "serial": "QX-000731", "class": 2, "verified": "2024-01-31"},
                    "calibrator": {"model": "CAL-94", "serial": "C-1182", "reference_db": 94.0},
                    "calibration": {"before": {"time": "2024-05-06T22:45:00", "level_db": 94.0},
                                    "after": {"time": "2024-05-07T00:15:00", "level_db": 94.7}},
                    "offset_db": )" + offset + R"(, "purpose": "occupational",
                    "notes": "Dry, wind below 2 m/s; road traffic dominant."}})";
}

const QStringList Tables{"periods", "den", "events", "event_summary", "exposure"};

// A figure as the report prints it.
QString Shown(const QJsonValue& value)
{
    return value.isDouble() ? QString::number(value.toDouble(), 'f', 1) : value.toString();
}

class SurveyReportPdf : public ProgramTest {
protected:
    SurveyReportPdf()
    {
        zone = QStringLiteral("Europe/London");
        WriteTestFile(Path("night.csv"), NightLog());
    }
    // The report of the survey with the offset as PDF and JSON; the exit status.
    int Report(const QByteArray& offset, const char* name)
    {
        const QString survey = Path(name) + QStringLiteral(".qxs");
        WriteTestFile(survey, FullSurvey(offset));
        return Run({"report", survey, "--pdf", Path(name) + QStringLiteral(".pdf"), "--json",
                    Path(name) + QStringLiteral(".json"), "--periods", "15m", "--den", "--events", "--exposure"});
    }
};

}  // namespace

// Every figure of the JSON's tables is printed in the PDF, a table's row on one line in
// order; every detail and the provenance are there, and every page has the project above and
// "Page n of N" below.
TEST_F(SurveyReportPdf, TheReportPrintsEveryFigureOfItsJson)
{
    ASSERT_EQ(Report("0", "full"), 0) << err.toStdString();
    const QJsonObject json = ReadJson(Path("full.json"));
    const QString text = PdfText(Path("full.pdf"));
    ASSERT_FALSE(text.isEmpty());
    const QStringList lines = text.split(u'\n');

    for (const QString& table : Tables) {
        const QJsonArray rows = json[table].toArray();
        ASSERT_FALSE(rows.isEmpty()) << table.toStdString();
        for (const QJsonValue& row : rows) {
            // The row's figures (its set number and its event count left out), in order.
            QStringList figures;
            const QJsonObject object = row.toObject();
            const QStringList order = table == "periods"  ? QStringList{"coverage_pct", "valid_samples", "leq_db", "lmax_db", "lmin_db", "l10_db", "l50_db", "l90_db", "sel_db"}
                                      : table == "den"    ? QStringList{"lday_db", "levening_db", "lnight_db", "lden_db", "ldn_db", "day_coverage_pct", "evening_coverage_pct", "night_coverage_pct", "night_nth_highest_db"}
                                      : table == "events" ? QStringList{"duration_s", "leq_db", "lmax_db", "sel_db"}
                                      : table == "event_summary" ? QStringList{"events", "above_db", "seconds_above", "measured_s", "percent_above"}
                                                                 : QStringList{"lex8h_db", "dose_85_3_pct", "osha_dose_pct", "osha_twa_db", "hc_dose_pct"};
            for (const QString& column : order)
                figures << (object[column].isNull() ? QStringLiteral("\u2013")
                            : column == "valid_samples" || column == "events" ? QString::number(object[column].toInt())
                                                                              : Shown(object[column]));
            if (table == "event_summary" || table == "exposure") {
                // Printed as sentences and facts: each figure is there.
                for (const QString& figure : figures)
                    EXPECT_TRUE(text.contains(figure)) << table.toStdString() << ": " << figure.toStdString();
                continue;
            }
            const QRegularExpression inOrder(figures.join(QStringLiteral("\\s+")).replace(u'.', QStringLiteral("\\.")));
            EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(inOrder); }))
                << table.toStdString() << ": " << figures.join(' ').toStdString();
        }
    }
    const QJsonObject metrics = json["metrics"].toArray()[0].toObject();
    for (const char* column : {"leq_db", "lmax_db", "lmin_db", "l5_db", "l10_db", "l50_db", "l90_db", "l95_db", "sel_db",
                               "lex8h_db"})
        EXPECT_TRUE(text.contains(Shown(metrics[column]) + " dB")) << column;
    EXPECT_TRUE(text.contains(json["exposure"].toArray()[0].toObject()["eu_verdict"].toString().left(30)));
    EXPECT_TRUE(text.contains("peak sound pressure", Qt::CaseInsensitive));

    const QJsonObject details = json["details"].toObject();
    for (const char* field : {"project", "client", "site", "position", "operator", "report_id", "picture", "notes"})
        EXPECT_TRUE(text.contains(details[field].toString())) << field;
    for (const char* field : {"model", "serial"}) {
        EXPECT_TRUE(text.contains(details["instrument"].toObject()[field].toString())) << field;
        EXPECT_TRUE(text.contains(details["calibrator"].toObject()[field].toString())) << field;
    }
    for (const char* expected : {"Class 2", "2024-01-31", "94.0 dB at 2024-05-06 22:45:00", "94.7 dB at 2024-05-07 00:15:00",
                                 "+0.7 dB", "FLAGGED", "Europe/London", "dog barking", "operator at the meter",
                                 "60.0 s", "120.0 s", "Occupational", "A (dBA)", "FAST", "60.0 s"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(json["calibration_drift"].toObject()["flagged"].toBool());
    EXPECT_EQ(json["calibration_drift"].toObject()["drift_db"].toDouble(), 0.7);

    const QJsonObject provenance = json["provenance"].toObject();
    EXPECT_EQ(provenance["source"].toString(), "night.csv");
    EXPECT_EQ(provenance["survey"].toString(), "full.qxs");
    for (const char* field : {"source", "source_sha256", "survey", "survey_sha256", "generated", "program"})
        EXPECT_TRUE(text.contains(provenance[field].toString())) << field;

    const int count = PdfPageCount(Path("full.pdf"));
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), count);
    ASSERT_GE(count, 5);
    for (int page = 0; page < count; ++page) {
        EXPECT_TRUE(pages[page].contains("Mill Lane residential")) << page + 1;
        EXPECT_TRUE(pages[page].contains(QStringLiteral("Page %1 of %2").arg(page + 1).arg(count))) << page + 1;
    }
}

// An offset of +0.5 dB moves every level of every table by 0.5 dB, leaves counts, times and
// percentages alone, and is printed on every page and said on the console.
TEST_F(SurveyReportPdf, AnOffsetMovesEveryLevelAndIsPrinted)
{
    ASSERT_EQ(Report("0", "plain"), 0) << err.toStdString();
    EXPECT_FALSE(err.contains("offset"));
    ASSERT_EQ(Report("0.5", "offset"), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("calibration offset of +0.5 dB")) << err.toStdString();
    const QJsonObject plain = ReadJson(Path("plain.json"));
    const QJsonObject offset = ReadJson(Path("offset.json"));
    int levels = 0;
    for (const QString& table : QStringList{"metrics", "periods", "den", "events"}) {
        const QJsonArray a = plain[table].toArray();
        const QJsonArray b = offset[table].toArray();
        ASSERT_EQ(a.size(), b.size()) << table.toStdString();
        for (qsizetype i = 0; i < a.size(); ++i)
            for (const QString& column : a[i].toObject().keys()) {
                const QJsonValue before = a[i].toObject()[column], after = b[i].toObject()[column];
                const bool level = column.endsWith("_db") && column != "dose_pct";
                if (level && before.isDouble()) {
                    ++levels;
                    EXPECT_NEAR(after.toDouble(), before.toDouble() + 0.5, 0.051) << table.toStdString() << " " << column.toStdString();
                } else if (!column.endsWith("_db") && column != "dose_pct") {
                    EXPECT_EQ(after, before) << table.toStdString() << " " << column.toStdString();
                }
            }
    }
    EXPECT_GT(levels, 40);
    EXPECT_EQ(offset["settings"].toObject()["offset_db"].toDouble(), 0.5);
    const QStringList pages = PdfText(Path("offset.pdf")).split(u'\f', Qt::SkipEmptyParts);
    for (const QString& page : pages)
        EXPECT_TRUE(page.contains("calibration offset of +0.5 dB")) << page.left(200).toStdString();
    EXPECT_FALSE(PdfText(Path("plain.pdf")).contains("calibration offset of"));
}

// A survey that holds nothing but its recording still makes its report.
TEST_F(SurveyReportPdf, ASurveyWithoutDetailsStillReports)
{
    WriteTestFile(Path("bare.qxs"), R"({"format": "qx574-survey", "version": 1, "source": {"path": "night.csv"}})");
    ASSERT_EQ(Run({"report", Path("bare.qxs"), "--pdf", Path("bare.pdf")}), 0) << err.toStdString();
    const QString text = PdfText(Path("bare.pdf"));
    EXPECT_GE(text.count("not recorded"), 12);
    EXPECT_TRUE(text.contains("Noise survey"));
    EXPECT_FALSE(text.contains("Occupational exposure")) << "an environmental or unknown purpose has no exposure block";
    EXPECT_TRUE(out.isEmpty());

    // The watch log itself draws the same report: only where the figures come from differs.
    ASSERT_EQ(Run({"report", Path("night.csv"), "--pdf", Path("log.pdf")}), 0) << err.toStdString();
    const QStringList survey = text.split(u'\n');
    const QStringList log = PdfText(Path("log.pdf")).split(u'\n');
    ASSERT_EQ(log.size(), survey.size());
    QStringList differing;
    for (qsizetype i = 0; i < log.size(); ++i)
        if (log[i] != survey[i])
            differing << log[i];
    EXPECT_LE(differing.size(), 4) << differing.join('|').toStdString();
    EXPECT_TRUE(differing.join('|').contains("Survey file")) << differing.join('|').toStdString();
}
