// qx574 watch against the real servers it feeds: a mosquitto broker and an InfluxDB 1.x, each
// started by the test on a free loopback port with a temporary folder.
#include "LoopbackServer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <QUrlQuery>

#include <cmath>
#include <csignal>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QProcessEnvironment ProgramEnvironment(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    return environment;
}

// A broker with its own configuration and persistence in a temporary folder, so that what it
// holds for a subscriber outlives a restart, as a real broker's does.
class Broker {
public:
    explicit Broker(const QString& folder) : folder(folder), port(FreeLoopbackPort())
    {
        QFile config(folder + QStringLiteral("/mosquitto.conf"));
        if (config.open(QIODevice::WriteOnly))
            config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence true\n"
                                        "persistence_location %2/\n%3")
                             .arg(port)
                             .arg(folder)
                             .arg(::getuid() == 0 ? QStringLiteral("user root\n") : QString())
                             .toUtf8());
    }
    bool Start(QString* output)
    {
        return server.Start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), folder + QStringLiteral("/mosquitto.conf")},
                            port, output);
    }
    void Stop() { server.Stop(); }
    QString Url(const char* prefix) const { return QStringLiteral("mqtt://127.0.0.1:%1/%2").arg(port).arg(prefix); }
    QString Port() const { return QString::number(port); }

private:
    QString folder;
    std::uint16_t port;
    LoopbackServer server;
};

// mosquitto_sub with a session the broker keeps (QoS 1, a fixed id, no clean start): every
// message under the topic, as "topic payload" lines, across a restart of the broker.
class Subscriber {
public:
    Subscriber(const Broker& broker, const QString& topic)
    {
        // A line as soon as a message arrives, not a pipe's buffer full.
        arguments = {QStringLiteral("-oL"), QStringLiteral("mosquitto_sub"), QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), broker.Port(),
                     QStringLiteral("-t"), topic, QStringLiteral("-v"), QStringLiteral("-q"), QStringLiteral("1"),
                     QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("qx574-test-%1").arg(::getpid())};
        Start();
    }
    ~Subscriber()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    // Started again when it gave up while the broker was away.
    void KeepRunning()
    {
        if (process.state() == QProcess::NotRunning) {
            Read();
            Start();
        }
    }
    const QStringList& Lines()
    {
        Read();
        return lines;
    }
    // The seq of every record received, in order of arrival.
    std::vector<qint64> Seqs()
    {
        std::vector<qint64> seqs;
        for (const QString& line : Lines()) {
            const QString topic = line.section(u' ', 0, 0);
            if (topic.endsWith(QLatin1String("/reading")) || topic.endsWith(QLatin1String("/leq"))
                || topic.endsWith(QLatin1String("/event")))
                seqs.push_back(QJsonDocument::fromJson(line.section(u' ', 1).toUtf8()).object().value("seq").toInteger());
        }
        return seqs;
    }
    qint64 HighestSeq()
    {
        const std::vector<qint64> seqs = Seqs();
        return seqs.empty() ? 0 : *std::max_element(seqs.begin(), seqs.end());
    }

private:
    void Start()
    {
        StartTiedToTest(process, QStringLiteral("stdbuf"), arguments);
        process.waitForStarted(30000);
    }
    void Read()
    {
        // Without an event loop, QProcess takes in what the pipe holds only when asked to wait.
        process.waitForReadyRead(10);
        pending += process.readAllStandardOutput();
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            lines.append(QString::fromUtf8(pending.left(end)));
            pending.remove(0, end + 1);
        }
    }
    QStringList arguments;
    QProcess process;
    QByteArray pending;
    QStringList lines;
};

// The retained message of a topic, as a new subscriber gets it.
QString Retained(const Broker& broker, const QString& topic)
{
    QProcess process;
    StartTiedToTest(process, QStringLiteral("mosquitto_sub"),
                    {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), broker.Port(),
                     QStringLiteral("-t"), topic, QStringLiteral("-C"), QStringLiteral("1"), QStringLiteral("-W"),
                     QStringLiteral("30")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// Each number once, from 1 on, in order, after dropping repeats of numbers already received.
void ExpectNoGap(const std::vector<qint64>& seqs, qint64 last)
{
    qint64 next = 1;
    for (const qint64 seq : seqs) {
        ASSERT_LE(seq, next) << "a gap before " << seq;
        if (seq == next)
            ++next;
    }
    EXPECT_GE(next, last + 1);
}

class FeedServersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QProcess watch;

    ~FeedServersTest() override { End(watch, SIGKILL); }

    void StartWatch(const QStringList& arguments)
    {
        watch.setProcessEnvironment(ProgramEnvironment(dir.path()));
        StartTiedToTest(watch, QStringLiteral(QX574_PROGRAM), QStringList{QStringLiteral("watch")} + arguments);
        ASSERT_TRUE(watch.waitForStarted(30000));
    }
    static int End(QProcess& process, int signal)
    {
        if (process.state() == QProcess::NotRunning)
            return process.exitCode();
        ::kill(static_cast<pid_t>(process.processId()), signal);
        process.waitForFinished(60000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

}  // namespace

TEST_F(FeedServersTest, EveryRecordReachesTheBrokerAcrossARestart)
{
    Broker broker(dir.path());
    QString output;
    ASSERT_TRUE(broker.Start(&output)) << output.toStdString();
    Subscriber all(broker, QStringLiteral("noise/#"));
    StartWatch({"--simulate", "--serial", "QXT-1", "--every", "0.5", "--leq", "2", "--mqtt", broker.Url("noise"),
                "--ha-discovery", "--spool", Path("qxt1.spool")});
    ASSERT_TRUE(WaitFor([&] { return all.HighestSeq() >= 4; })) << all.Lines().join('\n').toStdString();

    // The broker goes away for a few seconds; the readings meanwhile wait in the spool.
    broker.Stop();
    const qint64 atStop = all.HighestSeq();
    QThread::sleep(3);
    ASSERT_TRUE(broker.Start(&output)) << output.toStdString();
    ASSERT_TRUE(WaitFor([&] {
        all.KeepRunning();
        return all.HighestSeq() >= atStop + 12;
    })) << all.Lines().join('\n').toStdString();

    EXPECT_EQ(End(watch, SIGTERM), 0);
    EXPECT_TRUE(QString::fromLocal8Bit(watch.readAllStandardError()).contains("Records written: "));
    EXPECT_EQ(Retained(broker, QStringLiteral("noise/QXT-1/status")), "offline");
    const qint64 last = all.HighestSeq();
    ExpectNoGap(all.Seqs(), last);
    EXPECT_LE(all.Seqs().size(), static_cast<std::size_t>(last + 20)) << "repeats only of what was on its way";

    const QJsonObject level = QJsonDocument::fromJson(
        Retained(broker, QStringLiteral("homeassistant/sensor/qx574_QXT-1_level/config")).toUtf8()).object();
    EXPECT_EQ(level.value("unit_of_measurement").toString(), "dBA");
    EXPECT_EQ(level.value("state_topic").toString(), "noise/QXT-1/reading");
    EXPECT_FALSE(Retained(broker, QStringLiteral("homeassistant/sensor/qx574_QXT-1_leq/config")).isEmpty());
}

TEST_F(FeedServersTest, AKilledWatchLeavesItsSpoolToTheNextAndTheBrokerSaysOffline)
{
    Broker broker(dir.path());
    QString output;
    ASSERT_TRUE(broker.Start(&output)) << output.toStdString();
    Subscriber all(broker, QStringLiteral("noise/#"));
    const QStringList arguments = {"--simulate", "--serial", "QXT-2", "--every", "0.5", "--mqtt", broker.Url("noise"),
                                   "--spool", Path("qxt2.spool")};
    StartWatch(arguments);
    ASSERT_TRUE(WaitFor([&] { return all.HighestSeq() >= 3; }));
    EXPECT_EQ(Retained(broker, QStringLiteral("noise/QXT-2/status")), "online");
    End(watch, SIGKILL);
    EXPECT_TRUE(WaitFor([&] { return Retained(broker, QStringLiteral("noise/QXT-2/status")) == "offline"; }))
        << "the broker's last will for the station";

    // With the broker away, a run spools what it reads and is killed.
    broker.Stop();
    const auto spooled = [&] {
        QFile file(Path("qxt2.spool"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().count("\nR ") : 0;
    };
    const qsizetype before = spooled();  // the first run's records, sent but still in the file
    StartWatch(arguments);
    ASSERT_TRUE(WaitFor([&] { return spooled() >= before + 4; }));
    End(watch, SIGKILL);

    // The next run sends it first, and counts on.
    ASSERT_TRUE(broker.Start(&output)) << output.toStdString();
    StartWatch(arguments + QStringList{"--duration", "3"});
    ASSERT_TRUE(watch.waitForFinished(120000));
    EXPECT_EQ(watch.exitCode(), 0) << watch.readAllStandardError().toStdString();
    ASSERT_TRUE(WaitFor([&] {
        all.KeepRunning();
        // The first is the last will of the killed run, the second the clean end of this one.
        return all.Lines().count(QStringLiteral("noise/QXT-2/status offline")) >= 2;
    }));
    const qint64 last = all.HighestSeq();
    EXPECT_GE(last, 3 + 4 + 6);
    ExpectNoGap(all.Seqs(), last);
}

TEST_F(FeedServersTest, TwoWatchesOnOneMeterAreRefusedAndOnTwoRunSideBySide)
{
    StartWatch({"--simulate", "--serial", "QXT-3", "--every", "0.5", "--out", Path("one.csv")});
    ASSERT_TRUE(WaitFor([&] { return QFile(Path("one.csv")).size() > 200; }));
    QProcess second;
    second.setProcessEnvironment(ProgramEnvironment(dir.path()));
    StartTiedToTest(second, QStringLiteral(QX574_PROGRAM),
                    {"watch", "--simulate", "--serial", "QXT-3", "--duration", "1", "--out", Path("two.csv")});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitCode(), 2);
    EXPECT_TRUE(second.readAllStandardError().contains("The meter QXT-3 is in use by another qx574."));
    EXPECT_FALSE(QFile::exists(Path("two.csv")));

    StartTiedToTest(second, QStringLiteral(QX574_PROGRAM),
                    {"watch", "--simulate", "--serial", "QXT-4", "--duration", "1", "--out", Path("two.csv")});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile(Path("two.csv")).size() > 0);
    EXPECT_EQ(End(watch, SIGTERM), 0);
}

namespace {

// InfluxDB 1.x in a temporary folder, with its HTTP API on a loopback port.
class Influx {
public:
    explicit Influx(const QString& folder) : folder(folder), port(FreeLoopbackPort())
    {
        QFile config(folder + QStringLiteral("/influxdb.conf"));
        if (config.open(QIODevice::WriteOnly))
            config.write(QStringLiteral("reporting-disabled = true\nbind-address = \"127.0.0.1:%1\"\n"
                                        "[meta]\n  dir = \"%2/meta\"\n"
                                        "[data]\n  dir = \"%2/data\"\n  wal-dir = \"%2/wal\"\n"
                                        "  query-log-enabled = false\n"
                                        "[http]\n  bind-address = \"127.0.0.1:%3\"\n  log-enabled = false\n"
                                        "[monitor]\n  store-enabled = false\n")
                             .arg(FreeLoopbackPort())
                             .arg(folder)
                             .arg(port)
                             .toUtf8());
    }
    bool Start(QString* output)
    {
        return server.Start(QStringLiteral("influxd"),
                            {QStringLiteral("run"), QStringLiteral("-config"), folder + QStringLiteral("/influxdb.conf")},
                            port, output);
    }
    // curl's answer to a request of the HTTP API.
    QByteArray Curl(const QStringList& arguments) const
    {
        QProcess curl;
        curl.start(QStringLiteral("curl"), QStringList{"-sS", "--max-time", "60"} + arguments);
        curl.waitForFinished(90000);
        return curl.readAllStandardOutput() + curl.readAllStandardError();
    }
    QByteArray Query(const QString& q) const
    {
        return Curl({"-G", QStringLiteral("http://127.0.0.1:%1/query").arg(port), "--data-urlencode", "db=noise",
                     "--data-urlencode", "q=" + q});
    }
    QByteArray Write(const QString& file) const
    {
        return Curl({"-XPOST", QStringLiteral("http://127.0.0.1:%1/write?db=noise").arg(port), "--data-binary",
                     "@" + file});
    }

private:
    QString folder;
    std::uint16_t port;
    LoopbackServer server;
};

// The rows of a query's first series, as column name to value.
QList<QMap<QString, QJsonValue>> Rows(const QByteArray& answer)
{
    const QJsonObject series = QJsonDocument::fromJson(answer)
                                   .object()["results"].toArray().first().toObject()["series"].toArray().first()
                                   .toObject();
    const QJsonArray columns = series["columns"].toArray();
    QList<QMap<QString, QJsonValue>> rows;
    for (const QJsonValue& values : series["values"].toArray()) {
        QMap<QString, QJsonValue> row;
        for (qsizetype i = 0; i < columns.size(); ++i)
            row[columns[i].toString()] = values.toArray()[i];
        rows.append(row);
    }
    return rows;
}

}  // namespace

TEST_F(FeedServersTest, TheLineProtocolIsReadByInfluxDbFieldByField)
{
    Influx influx(dir.path());
    QString output;
    ASSERT_TRUE(influx.Start(&output)) << output.toStdString();
    ASSERT_TRUE(influx.Query(QStringLiteral("CREATE DATABASE noise")).contains("statement_id"));

    QProcess run;
    run.setProcessEnvironment(ProgramEnvironment(dir.path()));
    StartTiedToTest(run, QStringLiteral(QX574_PROGRAM),
                    {"watch", "--simulate", "--serial", "QX 5,7=A", "--every", "0.5", "--leq", "2", "--duration", "6",
                     "--format", "influx", "--tag", "site=Main street, north", "--out", Path("lines.txt")});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QByteArray answer = influx.Write(Path("lines.txt"));
    ASSERT_TRUE(answer.isEmpty()) << answer.toStdString() << "\n" << output.toStdString();

    QFile file(Path("lines.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    const auto levels = Rows(influx.Query(QStringLiteral("SELECT * FROM sound_level ORDER BY time")));
    const auto leqs = Rows(influx.Query(QStringLiteral("SELECT * FROM sound_leq ORDER BY time")));
    ASSERT_EQ(levels.size(), 12);
    ASSERT_EQ(leqs.size(), 3);
    EXPECT_EQ(levels.size() + leqs.size(), lines.size());
    for (const auto& row : levels) {
        EXPECT_EQ(row["meter"].toString(), "QX 5,7=A");
        EXPECT_EQ(row["site"].toString(), "Main street, north");
        EXPECT_EQ(row["weighting"].toString(), "dBA");
        EXPECT_EQ(row["response"].toString(), "FAST");
        EXPECT_EQ(row["range"].toString(), "30-130");
        EXPECT_EQ(row["over_under"].toString(), "");
        EXPECT_GE(row["level_db"].toDouble(), 20.0);
    }
    // Every line arrived with its numbers and time: the seq of each record, one after another.
    std::vector<qint64> seqs;
    for (const auto& rows : {levels, leqs})
        for (const auto& row : rows)
            seqs.push_back(row["seq"].toInteger());
    std::sort(seqs.begin(), seqs.end());
    for (std::size_t i = 0; i < seqs.size(); ++i)
        EXPECT_EQ(seqs[i], static_cast<qint64>(i + 1));

    // The Leq of the whole run from the summed energy, as a database gets a day's Leq, equals
    // the energy mean of all the readings.
    double energy = 0.0;
    int readings = 0;
    for (const auto& row : leqs)
        readings += row["readings"].toInt();
    for (const auto& row : levels)
        energy += std::pow(10.0, row["level_db"].toDouble() / 10.0);
    EXPECT_EQ(readings, 12);
    const double expected = 10.0 * std::log10(energy / readings);
    const auto whole = Rows(influx.Query(
        QStringLiteral("SELECT 10 * LOG10(SUM(energy_pa2s) / (SUM(seconds) * 0.0000000004)) FROM sound_leq")));
    ASSERT_EQ(whole.size(), 1);
    double fromEnergy = 0.0;
    for (auto column = whole.front().cbegin(); column != whole.front().cend(); ++column)
        if (column.key() != QLatin1String("time"))
            fromEnergy = column.value().toDouble();
    EXPECT_NEAR(fromEnergy, expected, 0.05) << "the readings are rounded to a tenth";
}
