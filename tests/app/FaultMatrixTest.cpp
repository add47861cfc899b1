#include "FakeTransport.h"
#include "files/WorkingFile.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/LinkSession.h"
#include "link/MemoryImage.h"
#include "link/MeterPresence.h"
#include "link/SimulatedMeter.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/TfrmSetup.h"
#include "MainWindowFixture.h"
#include "panel/ui/TfrmPanel.h"
#include "shell/Formats.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

// Every meter sequence of the program, with each of its steps failing in turn. Whatever fails,
// the sequence ends with its own code or message, the monitor runs again and the link is free,
// nothing else reaches the meter while the sequence holds the link, the meter answers the
// monitor in step afterwards, and the user's data sets, working file and graphs are untouched.

namespace {

// A step of a sequence that goes wrong.
enum class Fault {
    Open,               // the meter cannot be opened
    Timeouts,           // its time-outs cannot be set
    Write,              // the step-th write (command or data block) fails
    Read,               // the step-th read fails
    ShortReply,         // the step-th reply comes short: a few bytes, then the read fails
    ShortMemory,        // the meter's memory ends after 64 bytes: later blocks go unanswered
    WrongMarkers,       // status, identification and memory header replies lack their markers
    WrongEcho,          // the erase and EEPROM replies do not echo their command
    WrongSequenceEcho,  // status replies echo another sequence number
    WrongModel,         // the identification names another model
    SerialNumber,       // the device's serial number cannot be read
};

// Steps of a download that depend on the size of the meter's memory.
constexpr int LastBlock = -1;      // the write or read of the last 'p'
constexpr int EndOfDownload = -2;  // the write of the closing 'q'

// The wire between the program and the simulated meter: it notes every operation, can cut a
// reply short, and at the first write of a sequence lets the rest of the program act, as the
// window messages processed while a sequence holds the link would.
class Wire final : public HtUsb {
public:
    HtUsb* meter = nullptr;
    QStringList operations;
    ReplyFrame lastReply{};
    int shortRead = 0;              // the shortRead-th read from now on comes short
    std::function<void()> meanwhile;
    qsizetype operationsMeanwhile = 0;

    std::int32_t CloseDevice() override { return Note(QStringLiteral("CloseDevice"), meter->CloseDevice()); }
    std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) override
    {
        return Note(QStringLiteral("OpenDevice"), meter->OpenDevice(vendorId, productId));
    }
    std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override
    {
        return Note(QStringLiteral("SetTimeouts"), meter->SetTimeouts(readMs, writeMs));
    }
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override
    {
        Meanwhile();
        const QString command = count > 1 ? QString(QLatin1Char(static_cast<char>(bytes[1]))) : QString();
        return Note(QStringLiteral("WriteCommand ") + command, meter->WriteCommand(count, bytes));
    }
    std::int32_t PrepareRead() override { return Note(QStringLiteral("PrepareRead"), meter->PrepareRead()); }
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override
    {
        if (shortRead > 0 && --shortRead == 0) {
            // The first bytes of the reply land in the buffer, the rest is lost, the read fails.
            ReplyFrame whole{};
            meter->ReadReply(count, whole.data());
            std::copy_n(whole.begin(), std::min(count, 9), buffer);
            return Note(QStringLiteral("ReadReply"), 1);
        }
        const std::int32_t result = meter->ReadReply(count, buffer);
        if (result == 0)
            std::copy_n(buffer, lastReply.size(), lastReply.begin());
        return Note(QStringLiteral("ReadReply"), result);
    }
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override
    {
        Meanwhile();
        return Note(QStringLiteral("WriteData"), meter->WriteData(count, bytes));
    }
    std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) override
    {
        return Note(QStringLiteral("ReadSerialNumber"), meter->ReadSerialNumber(index, buffer, size));
    }

private:
    std::int32_t Note(const QString& operation, std::int32_t result)
    {
        operations << operation + (result == 0 ? QString() : QStringLiteral(" failed"));
        return result;
    }
    void Meanwhile()
    {
        if (!meanwhile)
            return;
        const std::function<void()> act = std::exchange(meanwhile, {});
        const qsizetype before = operations.size();
        act();
        operationsMeanwhile += operations.size() - before;
    }
};

// What the user has: the data sets and the memory they came from, the working file, and the
// points and look of every graph window.
struct UserData {
    std::vector<float> levels;
    std::vector<double> times;
    std::size_t sets = 0;
    std::vector<std::uint8_t> memory;
    QByteArray workingFile;
    std::map<QString, QByteArray> graphs;
    bool operator==(const UserData&) const = default;
};

class FaultMatrixTest : public MainWindowFixture {
protected:
    Wire wire;
    std::unique_ptr<SimulatedMeter> meter;

    // A sequence of the program, run as the user starts it; returns what it leaves to see
    // besides its messages.
    struct Sequence {
        bool yields;  // lets window messages run while it holds the link
        std::function<QString()> run;
    };

    void SetUp() override
    {
        clock.clock.nowStep = 0.001 * OneSecond;
        NewMeter();
        SetCurrentTransport(&wire);
        StartMainWindow();
        window->MainTimer()->start();
        window->MainTimerTimer();  // identify
        window->MainTimerTimer();  // first status
        ASSERT_TRUE(window->Monitor().Connected());
        // The data the user has: a download shown in the DataLogger window. The LEQ and
        // service windows are open, so that their buttons can be pressed meanwhile.
        window->LoadData1->trigger();
        ASSERT_FALSE(window->DataLogger().Table().sets.empty());
        window->LEQ1->trigger();
        window->Setup1Click();
        ASSERT_TRUE(window->LeqWindow() && window->SetupWindow());
        window->SetupWindow()->txtWAddress->setText(QStringLiteral("70"));
        window->SetupWindow()->txtRAddress->setText(QStringLiteral("70"));
    }
    void TearDown() override
    {
        CloseMainWindow();
        SetCurrentTransport(nullptr);
    }

    // Five polls find nothing on the wire, and the monitor counts the meter lost.
    void LoseMeter()
    {
        FakeTransport absent;
        absent.openFails = true;
        HtUsb* attached = std::exchange(wire.meter, &absent);
        for (int poll = 0; poll < MeterPresence::FailedPollsToLose; ++poll)
            window->MainTimerTimer();
        wire.meter = attached;
        ASSERT_FALSE(window->Monitor().Connected());
    }

    void NewMeter()
    {
        meter = std::make_unique<SimulatedMeter>();
        wire.meter = meter.get();
    }

    UserData Now() const
    {
        const DataLoggerSession& loaded = window->DataLogger();
        UserData data{loaded.Table().levels, loaded.Table().times, loaded.Table().sets.size(), loaded.Image(), {}, {}};
        QFile working(WorkingFilePath(DetermineDataFolder()));
        if (working.open(QIODevice::ReadOnly))
            data.workingFile = working.readAll();
        for (QMdiSubWindow* sub : window->MdiArea()->subWindowList())
            if (auto* graph = qobject_cast<TfrmGraph*>(sub->widget()))
                data.graphs[graph->windowTitle()] = graph->PESGraph1->StoreState();
        return data;
    }

    // The download's steps by the size of the meter's memory: 'P', then a 'p' for each block.
    int Step(int step) const
    {
        const int blocks = DownloadLength(meter->Memory().MemoryEnd()) / 32;
        return step == LastBlock ? blocks : step == EndOfDownload ? blocks + 1 : step;
    }

    void Inject(Fault fault, int step)
    {
        switch (fault) {
        case Fault::Open: meter->RefuseOpen(); break;
        case Fault::Timeouts: meter->FailTimeouts(); break;
        case Fault::Write: meter->FailWrite(Step(step)); break;
        case Fault::Read: meter->FailRead(Step(step)); break;
        case Fault::ShortReply: wire.shortRead = Step(step); break;
        case Fault::ShortMemory: meter->ServeMemoryUpTo(64); break;
        case Fault::WrongMarkers: meter->AnswerWrongMarkers(); break;
        case Fault::WrongEcho: meter->AnswerWrongEcho(); break;
        case Fault::WrongSequenceEcho: meter->AnswerWrongSequenceEcho(); break;
        case Fault::WrongModel: meter->AnswerWrongModel(); break;
        case Fault::SerialNumber: meter->FailSerialNumber(); break;
        }
    }

    // Everything else that could reach for the link: a monitor tick coming due, a panel key,
    // the menu's download and erase, the service window's buttons, the LEQ window's Start.
    void OthersTryTheLink()
    {
        window->MainTimerTimer();
        window->Panel()->btnFastClick();
        window->LoadData1->trigger();
        window->EraseMemory1->trigger();
        for (QPushButton* button : {window->SetupWindow()->Button1, window->SetupWindow()->Button2,
                                    window->SetupWindow()->Button3, window->SetupWindow()->Button4,
                                    window->SetupWindow()->Button6, window->SetupWindow()->Button7})
            button->click();
        if (!window->LeqWindow()->Measuring())
            window->LeqWindow()->btnLEQ->click();
    }

    QString TextsShown()
    {
        QStringList texts;
        for (const QString& message : prompts.prompts.TakeMessages())
            texts << QStringLiteral("message: ") + message;
        for (const QString& error : prompts.prompts.TakeErrors())
            texts << QStringLiteral("error: ") + error;
        return texts.join(QStringLiteral("; "));
    }

    // With the fault gone, two monitor ticks find the meter and poll it in step: its reply is a
    // status reply with the sequence number just sent, and no resynchronising 'Q' is needed.
    void ExpectTheMonitorInStep()
    {
        meter->ClearFaults();
        wire.shortRead = 0;
        window->MainTimerTimer();
        const qsizetype before = wire.operations.size();
        window->MainTimerTimer();
        const QStringList poll = wire.operations.mid(before);
        EXPECT_EQ(poll.join(u',').toStdString(),
                  "CloseDevice,OpenDevice,SetTimeouts,WriteCommand A,PrepareRead,ReadReply,CloseDevice");
        EXPECT_EQ(wire.lastReply[0], 0x02);
        EXPECT_EQ(wire.lastReply[31], 0x03);
        EXPECT_EQ(wire.lastReply[30], Link().CommandSeq());
        EXPECT_TRUE(window->Monitor().Connected());
        EXPECT_EQ(window->Monitor().FailedPolls(), 0);
    }

    TfrmSetup& Service() { return *window->SetupWindow(); }
    TfrmLEQ& Leq() { return *window->LeqWindow(); }
};

QString DownloadError(int code)
{
    return QStringLiteral("error: There was error,please try again!   error code=%1").arg(code);
}
QString NoResponse(int code) { return QStringLiteral("error: no response from device, error code=%1").arg(code); }
QString EepromError(int code) { return QStringLiteral("error: Error Code=%1").arg(code); }

}  // namespace

TEST_F(FaultMatrixTest, EverySequenceSurvivesEachOfItsStepsFailing)
{
    const auto key = [this](void (TfrmPanel::*press)()) {
        return Sequence{false, [this, press] {
                            (window->Panel()->*press)();
                            return QString();
                        }};
    };
    const auto service = [this](QPushButton* TfrmSetup::*button) {
        return Sequence{false, [this, button] {
                            prompts.prompts.answers = {Prompts::Answer::Yes};  // the erase asks first
                            (Service().*button)->click();
                            prompts.prompts.answers.clear();
                            prompts.prompts.questions.clear();
                            return QString();
                        }};
    };
    const std::map<QString, Sequence> sequences{
        {"identify", {false, [this] {
             LoseMeter();
             window->MainTimerTimer();
             return QString(window->Monitor().Connected() ? "connected" : "not connected");
         }}},
        {"poll", {false, [this] {
             const qsizetype before = wire.operations.size();
             window->MainTimerTimer();
             const bool resynchronised = wire.operations.mid(before).contains("WriteCommand Q");
             return QStringLiteral("failed polls %1").arg(window->Monitor().FailedPolls())
                  + (resynchronised ? QStringLiteral(", resynchronised") : QString());
         }}},
        {"REC key", key(&TfrmPanel::btnRECClick)},
        {"range key", key(&TfrmPanel::btnLevelClick)},
        {"MAX/MIN key", key(&TfrmPanel::btnMaxMinClick)},
        {"MAX/MIN cancel", key(&TfrmPanel::btnMaxMinDblClick)},
        {"A/C key", key(&TfrmPanel::btnACClick)},
        {"FAST/SLOW key", key(&TfrmPanel::btnFastClick)},
        {"download", {true, [this] {
             window->LoadData1->trigger();
             return QString();
         }}},
        {"erase", {false, [this] {
             prompts.prompts.answers = {Prompts::Answer::Yes};
             window->EraseMemory1->trigger();
             prompts.prompts.questions.clear();
             return QString();
         }}},
        {"set clock", service(&TfrmSetup::Button1)},
        {"set interval", service(&TfrmSetup::Button2)},
        {"service erase", service(&TfrmSetup::Button3)},
        {"read information", service(&TfrmSetup::Button4)},
        {"write EEPROM", service(&TfrmSetup::Button6)},
        {"read EEPROM", service(&TfrmSetup::Button7)},
        {"LEQ", {true, [this] {
             window->LEQ1->trigger();
             Leq().cmbTimeSelect->setCurrentIndex(0);  // 10 s
             Leq().btnLEQ->click();
             for (int poll = 0; poll < 200 && Leq().Measuring(); ++poll) {
                 clock.clock.now += 0.25 * OneSecond;
                 window->LEQTimerTimer();
             }
             return QStringLiteral("%1 rows").arg(Leq().Rows().size());
         }}},
    };

    const QString connectFail = QStringLiteral("message: Connect fail");
    const QString leqFail = QStringLiteral("message: LEQ fail , try to start again !!; 0 rows");
    struct Row {
        const char* sequence;
        Fault fault;
        int step;
        QString outcome;  // the texts shown, then what the sequence leaves to see
    };
    std::vector<Row> rows{
        {"identify", Fault::Open, 1, "not connected"},
        {"identify", Fault::Timeouts, 1, "not connected"},
        {"identify", Fault::Write, 1, "not connected"},
        {"identify", Fault::Read, 1, "not connected"},
        {"identify", Fault::ShortReply, 1, "not connected"},
        {"identify", Fault::WrongMarkers, 1, "connected"},  // the identification is told by its model
        {"identify", Fault::WrongModel, 1, "not connected"},

        {"poll", Fault::Open, 1, "failed polls 1"},
        {"poll", Fault::Timeouts, 1, "failed polls 1"},
        {"poll", Fault::Write, 1, "failed polls 1, resynchronised"},
        {"poll", Fault::Read, 1, "failed polls 1, resynchronised"},
        {"poll", Fault::ShortReply, 1, "failed polls 1, resynchronised"},
        {"poll", Fault::WrongMarkers, 1, "failed polls 1"},  // no status reply: unanswered
        {"poll", Fault::WrongSequenceEcho, 1, "failed polls 0, resynchronised"},

        {"download", Fault::Open, 1, DownloadError(117)},
        {"download", Fault::Timeouts, 1, DownloadError(118)},
        {"download", Fault::Write, 1, DownloadError(119)},
        {"download", Fault::Read, 1, DownloadError(120)},
        {"download", Fault::ShortReply, 1, DownloadError(120)},
        {"download", Fault::WrongMarkers, 1, DownloadError(121)},
        {"download", Fault::Write, 2, DownloadError(126)},  // stopped before half the memory
        {"download", Fault::Read, 2, DownloadError(126)},
        {"download", Fault::ShortMemory, 1, DownloadError(126)},
        {"download", Fault::Write, LastBlock, DownloadError(123)},
        {"download", Fault::Read, LastBlock, DownloadError(124)},
        {"download", Fault::ShortReply, LastBlock, DownloadError(124)},
        {"download", Fault::Write, EndOfDownload, DownloadError(125)},

        {"set clock", Fault::Open, 1, "error: Meter time updated fail"},
        {"set clock", Fault::Timeouts, 1, "error: Meter time updated fail"},
        {"set clock", Fault::Write, 1, "error: Meter time updated fail"},
        {"set clock", Fault::Write, 2, "error: Meter time updated fail"},  // the clock block

        {"set interval", Fault::Open, 1, "error: fail to open device"},
        {"set interval", Fault::Timeouts, 1, "error: fail to set timeout"},
        {"set interval", Fault::Write, 1, "error: fail to write command to device"},
        {"set interval", Fault::Read, 1, NoResponse(706)},
        {"set interval", Fault::ShortReply, 1, NoResponse(706)},
        {"set interval", Fault::WrongEcho, 1, NoResponse(707)},
        {"set interval", Fault::Write, 2, "error: fail to write command to device"},
        {"set interval", Fault::Read, 2, NoResponse(709)},
        {"set interval", Fault::ShortReply, 2, NoResponse(709)},

        {"read information", Fault::Open, 1, "error: fail to open device"},
        {"read information", Fault::Timeouts, 1, "error: fail to set timeout"},
        {"read information", Fault::Write, 1, "error: fail to write command to device"},
        {"read information", Fault::Read, 1, NoResponse(906)},  // no reply at all says so too
        {"read information", Fault::ShortReply, 1, NoResponse(906)},
        {"read information", Fault::SerialNumber, 1, "error: can not read serail number"},

        {"LEQ", Fault::Open, 1, leqFail},
        {"LEQ", Fault::Timeouts, 1, "10 rows"},  // its polls do not depend on them
        {"LEQ", Fault::Write, 1, "10 rows"},     // one reading lost
        {"LEQ", Fault::Read, 1, "10 rows"},
        {"LEQ", Fault::ShortReply, 1, "10 rows"},
        {"LEQ", Fault::WrongMarkers, 1, leqFail},  // no reply is a status reply: none is a reading
    };
    for (const char* k : {"REC key", "range key", "MAX/MIN key", "MAX/MIN cancel", "A/C key", "FAST/SLOW key"}) {
        rows.push_back({k, Fault::Open, 1, connectFail});
        rows.push_back({k, Fault::Timeouts, 1, connectFail});
        rows.push_back({k, Fault::Write, 1, ""});  // a key's write is not checked
    }
    for (const char* erase : {"erase", "service erase"}) {
        rows.push_back({erase, Fault::Open, 1, "error: fail to open device"});
        rows.push_back({erase, Fault::Timeouts, 1, "error: fail to set timeout"});
        rows.push_back({erase, Fault::Write, 1, "error: fail to write command to device"});
        rows.push_back({erase, Fault::Read, 1, NoResponse(806)});  // no reply at all says so too
        rows.push_back({erase, Fault::ShortReply, 1, NoResponse(806)});
        rows.push_back({erase, Fault::WrongEcho, 1, NoResponse(807)});
    }
    for (const char* eeprom : {"write EEPROM", "read EEPROM"}) {
        rows.push_back({eeprom, Fault::Open, 1, EepromError(703)});
        rows.push_back({eeprom, Fault::Timeouts, 1, EepromError(704)});
        rows.push_back({eeprom, Fault::Write, 1, EepromError(708)});
        rows.push_back({eeprom, Fault::Read, 1, EepromError(709)});
        rows.push_back({eeprom, Fault::ShortReply, 1, EepromError(709)});
        rows.push_back({eeprom, Fault::WrongEcho, 1, EepromError(707)});
    }

    const UserData before = Now();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.sequence << ", fault " << static_cast<int>(row.fault) << " at step "
                                        << row.step);
        const Sequence& sequence = sequences.at(QString::fromLatin1(row.sequence));
        NewMeter();
        Inject(row.fault, row.step);
        wire.operationsMeanwhile = 0;
        if (sequence.yields)
            wire.meanwhile = [this] { OthersTryTheLink(); };
        const QString left = sequence.run();
        wire.meanwhile = {};

        QString outcome = TextsShown();
        if (!left.isEmpty())
            outcome += (outcome.isEmpty() ? QString() : QStringLiteral("; ")) + left;
        EXPECT_EQ(outcome.toStdString(), row.outcome.toStdString());
        EXPECT_TRUE(window->MainTimer()->isActive()) << "the monitor runs again";
        EXPECT_FALSE(Link().Busy());
        EXPECT_EQ(wire.operationsMeanwhile, 0) << "nothing else reached the meter while the sequence held the link";
        EXPECT_TRUE(Now() == before) << "the user's data sets, working file and graphs are as they were";
        ExpectTheMonitorInStep();
    }
}
