#include "shell/Formats.h"
#include "watch/RunWatch.h"
#include "WatchRunFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A CSV record by its column names.
struct Row {
    QString record;
    QString time;
    QStringList fields;
    QString Field(int column) const { return fields.value(column); }
};

// The CSV columns.
namespace Col {
enum { Time, Record, LevelDb, Weighting, Response, Range, OverUnder, MeterClock, LeqDb, LmaxDb, LminDb, Readings, Note,
       Seq, Meter, EnergyPa2s, Seconds, Utc };
}

QList<Row> Rows(const QByteArray& csv)
{
    QList<Row> rows;
    const QList<QByteArray> lines = csv.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QStringList fields = QString::fromUtf8(lines[i]).split(u',');
        rows.append({fields.value(Col::Record), fields.value(Col::Time), fields});
    }
    return rows;
}

QList<Row> OfKind(const QList<Row>& rows, const char* record)
{
    QList<Row> kept;
    for (const Row& row : rows)
        if (row.record == QLatin1String(record))
            kept.append(row);
    return kept;
}

qint64 Ms(const QString& time)
{
    return QDateTime::fromString(time, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toMSecsSinceEpoch();
}

// The run itself: its cadence, its records and its gaps, written to a file.
class WatchCommandTest : public WatchRunFixture {
protected:
    WatchEnd Watch(std::int64_t everyMs, std::int64_t durationMs, std::int64_t leqMs = 0,
                   WatchFormat format = WatchFormat::Csv)
    {
        WatchOptions options = Options(durationMs);
        options.everyMs = everyMs;
        options.leqMs = leqMs;
        options.style.format = format;
        return RunWatch(options, *link, tell, wait);
    }
    QList<Row> Output() const { return Rows(Read(Path("watch.csv"))); }
};

}  // namespace

TEST_F(WatchCommandTest, ReadingsAtTheChosenCadenceAndLeqRecordsAtTheirs)
{
    struct Case {
        std::int64_t everyMs, durationMs, leqMs;
        int readings, leqRecords;
    } cases[] = {
        {1000, 180000, 60000, 180, 3},
        {500, 10000, 0, 20, 0},
        // The run's end closes the interval it cut short: readings at 0-3, 4.5-7.5, 9.
        {1500, 10000, 4000, 7, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.everyMs);
        QFile::remove(Path("watch.csv"));
        messages.clear();
        ASSERT_EQ(Watch(c.everyMs, c.durationMs, c.leqMs), WatchEnd::Done) << messages.toStdString();
        const QList<Row> rows = Output();
        const QList<Row> readings = OfKind(rows, "reading");
        ASSERT_EQ(readings.size(), c.readings);
        for (qsizetype i = 1; i < readings.size(); ++i)
            EXPECT_EQ(Ms(readings[i].time) - Ms(readings[i - 1].time), c.everyMs) << i;
        const QList<Row> leqs = OfKind(rows, "leq");
        EXPECT_EQ(leqs.size(), c.leqRecords);
        int inLeqs = 0;
        for (const Row& leq : leqs)
            inLeqs += leq.Field(Col::Readings).toInt();
        EXPECT_EQ(inLeqs, c.leqRecords > 0 ? c.readings : 0) << "every reading is in one interval";
        EXPECT_EQ(rows.size(), c.readings + c.leqRecords);
        EXPECT_TRUE(messages.contains(QStringLiteral("Records written: %1 (%2 readings, %3 Leq); gaps: 0;")
                                          .arg(c.readings + c.leqRecords)
                                          .arg(c.readings)
                                          .arg(c.leqRecords)))
            << messages.toStdString();
    }
}

TEST_F(WatchCommandTest, AReadingCarriesTheMetersDisplayAndClock)
{
    ASSERT_EQ(Watch(1000, 1000), WatchEnd::Done);
    const QList<Row> rows = Output();
    ASSERT_EQ(rows.size(), 1);
    const Row& reading = rows.front();
    EXPECT_EQ(reading.time, "2026-03-09 14:05:07.000");
    EXPECT_EQ(reading.Field(Col::LevelDb), QString::number(meter.LevelTenths() / 10.0, 'f', 1));
    EXPECT_EQ(reading.Field(Col::Weighting), "dBA");
    EXPECT_EQ(reading.Field(Col::Response), "FAST");
    EXPECT_EQ(reading.Field(Col::Range), "30-130");
    EXPECT_EQ(reading.Field(Col::MeterClock), "2026-03-09 14:05:07");
}

TEST_F(WatchCommandTest, AnIntervalsLeqIsTheEnergyMeanOfItsReadings)
{
    // 60 dB for half a minute, then 70 dB; then 50 dB for the second minute.
    meter.HoldLevel(60.0);
    wait.At(29500, [&] { meter.HoldLevel(70.0); });
    wait.At(60000, [&] { meter.HoldLevel(50.0); });
    ASSERT_EQ(Watch(1000, 120000, 60000), WatchEnd::Done);
    const QList<Row> rows = Output();
    const double expectedLeq[] = {67.4, 50.0};  // 10 log10((30 x 10^6 + 30 x 10^7) / 60)
    int interval = 0;
    double energy = 0.0;
    double highest = 0.0;
    double lowest = 200.0;
    int count = 0;
    double allEnergy = 0.0;
    int all = 0;
    for (const Row& row : rows) {
        if (row.record == "reading") {
            const double level = row.Field(Col::LevelDb).toDouble();
            energy += std::pow(10.0, level / 10.0);
            allEnergy += std::pow(10.0, level / 10.0);
            ++all;
            highest = std::max(highest, level);
            lowest = std::min(lowest, level);
            ++count;
            continue;
        }
        ASSERT_EQ(row.record, "leq");
        ASSERT_LT(interval, 2);
        SCOPED_TRACE(interval);
        EXPECT_EQ(row.Field(Col::Readings).toInt(), 60);
        EXPECT_EQ(row.Field(Col::Readings).toInt(), count);
        EXPECT_EQ(row.Field(Col::LeqDb), QString::number(10.0 * std::log10(energy / count), 'f', 1));
        EXPECT_NEAR(row.Field(Col::LeqDb).toDouble(), expectedLeq[interval], 0.15);
        EXPECT_DOUBLE_EQ(row.Field(Col::LmaxDb).toDouble(), highest);
        EXPECT_DOUBLE_EQ(row.Field(Col::LminDb).toDouble(), lowest);
        ++interval;
        energy = 0.0;
        highest = 0.0;
        lowest = 200.0;
        count = 0;
    }
    EXPECT_EQ(interval, 2);
    const QString overall = QString::number(10.0 * std::log10(allEnergy / all), 'f', 1);
    EXPECT_TRUE(messages.contains(QStringLiteral("overall Leq: %1 dB.").arg(overall))) << messages.toStdString();
}

TEST_F(WatchCommandTest, AnUnpluggedMeterIsAGapWithItsReasonAndLoggingGoesOn)
{
    wait.At(20000, [&] { meter.RefuseOpen(true); });
    wait.At(40500, [&] { meter.RefuseOpen(false); });
    ASSERT_EQ(Watch(1000, 60000, 30000), WatchEnd::Done) << messages.toStdString();
    const QList<Row> rows = Output();
    const QList<Row> readings = OfKind(rows, "reading");
    ASSERT_EQ(readings.size(), 20 + 18);
    EXPECT_EQ(readings[19].time, "2026-03-09 14:05:26.000");

    // Five polls 0.1 s apart fail; then the meter is looked for every second until it answers.
    const QList<Row> lost = OfKind(rows, "lost");
    ASSERT_EQ(lost.size(), 1);
    EXPECT_EQ(lost[0].time, "2026-03-09 14:05:27.400");
    EXPECT_EQ(lost[0].Field(Col::Note), "the meter did not answer 5 polls in a row");
    const QList<Row> resumed = OfKind(rows, "resumed");
    ASSERT_EQ(resumed.size(), 1);
    EXPECT_EQ(resumed[0].time, "2026-03-09 14:05:48.400");
    EXPECT_EQ(resumed[0].Field(Col::Note), "the meter answers again; no readings for 22.4 s");
    // Back on the cadence at the next whole second.
    EXPECT_EQ(readings[20].time, "2026-03-09 14:05:49.000");
    EXPECT_EQ(Ms(readings.back().time) - Ms(readings[20].time), 17000);

    qsizetype lostAt = 0;
    while (rows[lostAt].record != "lost")
        ++lostAt;
    ASSERT_GT(lostAt, 0);
    ASSERT_LT(lostAt + 2, rows.size());
    EXPECT_EQ(rows[lostAt - 1].time, readings[19].time);
    EXPECT_EQ(rows[lostAt + 1].record, "leq") << "the interval of the gap is closed at its time";
    EXPECT_EQ(rows[lostAt + 1].Field(Col::Readings), "20");
    EXPECT_EQ(rows[lostAt + 2].record, "resumed");
    EXPECT_EQ(OfKind(rows, "leq").size(), 2);
    EXPECT_TRUE(messages.contains("Lost the meter")) << messages.toStdString();
    EXPECT_TRUE(messages.contains("; gaps: 1;")) << messages.toStdString();
}

TEST_F(WatchCommandTest, FailedPollsAreRetriedAndTheFifthInARowIsAGap)
{
    // Readings at 0-9 s; the fault starts before the poll at 5 s, and ends at endMs. The
    // retries of one reading are 0.1 s apart.
    struct Case {
        const char* name;
        std::function<void(bool)> fault;
        std::int64_t endMs;
        int readings, lost, resumed;
        const char* reason;
    } cases[] = {
        {"a read lost once", [&](bool on) { if (on) meter.FailRead(1); }, 10000, 10, 0, 0, nullptr},
        {"four polls unanswered", [&](bool on) { meter.RefuseOpen(on); }, 5400, 10, 0, 0, nullptr},
        {"a stale sequence echo", [&](bool on) { meter.AnswerWrongSequenceEcho(on); }, 10000, 10, 0, 0, nullptr},
        {"five polls unanswered", [&](bool on) { meter.RefuseOpen(on); }, 5450, 5 + 3, 1, 1,
         "the meter did not answer 5 polls in a row"},
        // The identification does not look at the markers; the search's status poll does.
        {"replies without markers", [&](bool on) { meter.AnswerWrongMarkers(on); }, 10000, 5, 1, 0,
         "the meter's replies were not status replies 5 polls in a row"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Path("watch.csv"));
        meter.ClearFaults();
        const std::int64_t runStart = wait.elapsedMs;
        wait.At(runStart + 4500, [&] { c.fault(true); });
        wait.At(runStart + c.endMs, [&] { c.fault(false); });
        ASSERT_EQ(Watch(1000, 10000), WatchEnd::Done);
        const QList<Row> rows = Output();
        EXPECT_EQ(OfKind(rows, "reading").size(), c.readings);
        EXPECT_EQ(OfKind(rows, "lost").size(), c.lost);
        EXPECT_EQ(OfKind(rows, "resumed").size(), c.resumed);
        if (c.reason) {
            EXPECT_EQ(OfKind(rows, "lost").value(0).Field(Col::Note), c.reason);
        }
    }
}

TEST_F(WatchCommandTest, JsonLinesThatAParserReads)
{
    wait.At(3000, [&] { meter.RefuseOpen(true); });
    wait.At(5000, [&] { meter.RefuseOpen(false); });
    ASSERT_EQ(Watch(1000, 10000, 4000, WatchFormat::Jsonl), WatchEnd::Done) << messages.toStdString();
    const QList<QByteArray> lines = Read(Path("watch.csv")).split('\n');
    ASSERT_TRUE(lines.back().isEmpty()) << "every line ends in a line feed";
    QMap<QString, int> kinds;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].toStdString();
        const QJsonObject object = document.object();
        const QString record = object.value("record").toString();
        ++kinds[record];
        EXPECT_GT(Ms(object.value("time").toString()), 0) << lines[i].toStdString();
        if (record == "reading") {
            EXPECT_TRUE(object.value("level_db").isDouble());
            EXPECT_EQ(object.value("weighting").toString(), "dBA");
            EXPECT_FALSE(object.value("meter_clock").toString().isEmpty());
        } else if (record == "leq") {
            EXPECT_GT(object.value("readings").toInt(), 0);
            EXPECT_GE(object.value("lmax_db").toDouble(), object.value("leq_db").toDouble());
            EXPECT_LE(object.value("lmin_db").toDouble(), object.value("leq_db").toDouble());
        } else {
            EXPECT_FALSE(object.value("note").toString().isEmpty());
        }
    }
    EXPECT_EQ(kinds.value("lost"), 1);
    EXPECT_EQ(kinds.value("resumed"), 1);
    EXPECT_EQ(kinds.value("reading"), 3 + 4);  // 0-2, then 6-9
    EXPECT_EQ(kinds.value("leq"), 3);
}

TEST_F(WatchCommandTest, CtrlCEndsCleanlyWithTheIntervalSoFar)
{
    wait.stopAtMs = 5500;
    ASSERT_EQ(Watch(1000, 0, 60000), WatchEnd::Done);
    const QList<Row> rows = Output();
    EXPECT_EQ(OfKind(rows, "reading").size(), 6);
    ASSERT_EQ(OfKind(rows, "leq").size(), 1);
    EXPECT_EQ(rows.back().record, "leq");
    EXPECT_EQ(rows.back().Field(Col::Readings), "6");
    EXPECT_TRUE(messages.contains("Records written: 7 (6 readings, 1 Leq); gaps: 0; overall Leq: "))
        << messages.toStdString();
}

TEST_F(WatchCommandTest, AFileIsAppendedToWithItsHeaderOnce)
{
    ASSERT_EQ(Watch(1000, 3000), WatchEnd::Done);
    const QByteArray first = Read(Path("watch.csv"));
    ASSERT_EQ(Watch(1000, 2000), WatchEnd::Done);
    const QByteArray both = Read(Path("watch.csv"));
    EXPECT_TRUE(both.startsWith(first));
    EXPECT_EQ(both.count("time,record,"), 1);
    EXPECT_EQ(OfKind(Rows(both), "reading").size(), 5);
}

TEST_F(WatchCommandTest, AnOutputThatCannotBeWrittenEndsTheRunNamingIt)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    for (const char* name : {"missing/watch.csv", "folder"}) {
        SCOPED_TRACE(name);
        messages.clear();
        WatchOptions options = Options(5000);
        options.out = Path(name);
        EXPECT_EQ(RunWatch(options, *link, tell, wait), WatchEnd::CannotWrite);
        EXPECT_TRUE(messages.contains(QDir::toNativeSeparators(Path(name)))) << messages.toStdString();
    }
    EXPECT_FALSE(QDir(Path("missing")).exists());
}

TEST_F(WatchCommandTest, NoMeterOrAnotherModelAtTheStartIsRefused)
{
    struct Case {
        std::function<void()> fault;
        const char* message;
    } cases[] = {
        {[&] { meter.RefuseOpen(); }, "There is no connection with meter !"},
        {[&] { meter.AnswerWrongModel(); }, "not a 574"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        meter.ClearFaults();
        messages.clear();
        c.fault();
        EXPECT_EQ(Watch(1000, 5000), WatchEnd::NoMeter);
        EXPECT_TRUE(messages.contains(QString::fromLatin1(c.message))) << messages.toStdString();
        EXPECT_FALSE(QFile::exists(Path("watch.csv")));
    }
}

TEST_F(WatchCommandTest, EveryRecordCarriesTheMeterAndTheNextSeq)
{
    wait.At(3000, [&] { meter.RefuseOpen(true); });
    wait.At(5000, [&] { meter.RefuseOpen(false); });
    WatchOptions options = Options(10000);
    options.leqMs = 4000;
    options.firstSeq = 41;  // where an earlier run's spool left the count
    ASSERT_EQ(RunWatch(options, *link, tell, wait), WatchEnd::Done);
    const QList<Row> rows = Output();
    ASSERT_EQ(rows.size(), 7 + 3 + 2);  // readings, Leq records, lost and resumed
    for (qsizetype i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].Field(Col::Seq).toLongLong(), 41 + i);
        EXPECT_EQ(rows[i].Field(Col::Meter), "QX574-0012345");
        EXPECT_TRUE(rows[i].Field(Col::Utc).startsWith(QString(rows[i].time).replace(u' ', u'T')));
        EXPECT_EQ(rows[i].Field(Col::EnergyPa2s).isEmpty(), rows[i].record != "leq");
    }
}
