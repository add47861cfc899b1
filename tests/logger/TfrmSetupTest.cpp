#include "logger/ui/TfrmSetup.h"

#include "FakeClock.h"
#include "FakePrompts.h"
#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MemoryImage.h"
#include "link/MeterLink.h"
#include "link/SimulatedMeter.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/DownloadMemory.h"
#include "logger/SetMeterClock.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"
#include "TestLink.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The simulated meter behind a window that notes, for every command written, how the link
// stood: whether the monitor ran and whether a sequence held the link.
class WatchedMeter final : public HtUsb {
public:
    struct Write {
        std::uint8_t command;
        bool monitorRunning;
        bool linkBusy;
    };

    WatchedMeter(SimulatedMeter& meter, const QTimer& monitor) : meter(meter), monitor(monitor) {}

    std::vector<Write> writes;
    int dataBlocks = 0;

    std::int32_t CloseDevice() override { return meter.CloseDevice(); }
    std::int32_t OpenDevice(std::uint16_t v, std::uint16_t p) override { return meter.OpenDevice(v, p); }
    std::int32_t SetTimeouts(std::uint32_t r, std::uint32_t w) override { return meter.SetTimeouts(r, w); }
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override
    {
        writes.push_back({bytes[1], monitor.isActive(), Link().Busy()});
        return meter.WriteCommand(count, bytes);
    }
    std::int32_t PrepareRead() override { return meter.PrepareRead(); }
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override { return meter.ReadReply(count, buffer); }
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override
    {
        ++dataBlocks;
        return meter.WriteData(count, bytes);
    }
    std::int32_t ReadSerialNumber(std::int32_t i, char* buffer, std::int32_t size) override
    {
        return meter.ReadSerialNumber(i, buffer, size);
    }

private:
    SimulatedMeter& meter;
    const QTimer& monitor;
};

double At(int year, int month, int day, int hour, int minute, int second)
{
    return DaysFromDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

// The setup window on the simulated meter, with the test clock at 9 March 2026 14:05:07 and
// the monitor's timer running.
class TfrmSetupTest : public ::testing::Test {
protected:
    TfrmSetupTest()
    {
        Link().SetMonitorTimer(&monitor);
        monitor.start(500);
        SetCurrentTransport(&usb);
    }
    ~TfrmSetupTest() override
    {
        SetCurrentTransport(nullptr);
        Link().SetMonitorTimer(nullptr);
    }

    // Time passes on the clock and the meter follows it.
    void Pass(double seconds)
    {
        clock.clock.now += seconds * OneSecond;
        meter.Advance();
    }
    // A key of the meter, as the panel sends it.
    void Press(std::uint8_t key)
    {
        std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Exchange);
        ASSERT_TRUE(link && SendCommand(*link, key));
    }
    void Click(QPushButton* TfrmSetup::*button) { (dialog.*button)->click(); }

    TestEnvironment env;
    ScopedFakeClock clock;
    ScopedFakePrompts prompts;
    const double start = (clock.clock.now = At(2026, 3, 9, 14, 5, 7));
    SimulatedMeter meter;  // starts on the test clock, so it comes after it
    QTimer monitor;
    WatchedMeter usb{meter, monitor};
    TfrmSetup dialog;
};

}  // namespace

TEST_F(TfrmSetupTest, ShowsItsControlsWithTheirTexts)
{
    EXPECT_EQ(dialog.windowTitle(), "Data Logger Setup");
    const std::pair<const char*, const char*> buttons[] = {
        {"Button1", "Adjust Meter Time To Computer Time"}, {"Button2", "Adjust Meter Recording Interval "},
        {"Button3", "Erase Meter Memory"}, {"Button4", "Read  "},
        {"Button6", "Write EEProm"}, {"Button7", "Read EEProm"},
    };
    for (const auto& [name, text] : buttons) {
        const auto* button = dialog.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), text) << name;
    }
    const std::pair<const char*, const char*> edits[] = {
        {"edtInt1", "00"}, {"edtInt2", "02"}, {"txtWAddress", "0"}, {"txtWData", "0"},
        {"txtRAddress", "0"}, {"txtRData", "0"}, {"txtVer", ""}, {"txtMeterTime", ""}, {"txtInt", ""},
        {"txtDataSets", ""}, {"txtMemoryAvailable", ""}, {"txtSN", ""}, {"txt94dB", ""}, {"txt70dB", ""},
    };
    for (const auto& [name, text] : edits) {
        const auto* edit = dialog.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->text(), text) << name;
    }
    EXPECT_EQ(dialog.GroupBox1->title(), "Meter Recording Interval ");
    EXPECT_EQ(dialog.GroupBox2->title(), "Meter DataLogger Information");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"mm:ss(00:01~01:00)", "FirmWare Version:", "Meter Time:", "MM/DD/YY   hh:mm:ss",
                             "Recording Interval:", "Data Sets In Memory:", "Memory Available:", "SN:",
                             "94dB cali:", "70dB cali"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(dialog.edtInt1->maxLength(), 2);
}

TEST_F(TfrmSetupTest, TheIntervalEditsSetTheMetersInterval)
{
    struct Case { const char* minutes; const char* seconds; int interval; } cases[] = {
        {"00", "45", 45}, {"01", "00", 60}, {"00", "00", 0},
        {"01", "01", -1}, {"04", "16", -1},
        {"00", "0", -1},  // a blank digit left in the seconds
        {"", "05", -1},
    };
    const QString success = "Recording Interval Setup Successfully, turn off and turn on the meter to effective ";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minutes << ":" << c.seconds);
        meter.Memory().SetByte(15, 2);
        usb.writes.clear();
        dialog.edtInt1->setText(c.minutes);
        dialog.edtInt2->setText(c.seconds);
        dialog.Button2->click();
        if (c.interval >= 0) {
            EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({success}));
            EXPECT_EQ(meter.Memory().IntervalSetting(), c.interval);
        } else {
            EXPECT_EQ(prompts.prompts.TakeErrors(), QStringList({"Invalid Input"}));
            EXPECT_EQ(meter.Memory().IntervalSetting(), 2);
            EXPECT_TRUE(usb.writes.empty()) << "nothing is sent";
        }
    }
}

TEST_F(TfrmSetupTest, TheTimeButtonSetsTheMetersClockAndReadShowsIt)
{
    {
        TestLink elsewhere(meter);
        ASSERT_EQ(SetMeterClock(*elsewhere, start + 3.25), 0);
    }
    SetCurrentTransport(&usb);
    dialog.Button4->click();
    EXPECT_EQ(dialog.txtMeterTime->text(), "03/12/2026   20:05:07");
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"read data successfully"}));

    dialog.Button1->click();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"Meter time updated successfully \n"}));
    EXPECT_EQ(usb.dataBlocks, 1);
    EXPECT_NEAR(meter.MeterTime(), start, OneSecond / 2);
    dialog.Button4->click();
    EXPECT_EQ(dialog.txtMeterTime->text(), "03/09/2026   14:05:07");
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"read data successfully"}));
}

TEST_F(TfrmSetupTest, ReadFillsTheInformationAndEmptiesItWhenNothingComes)
{
    dialog.Button4->click();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"read data successfully"}));
    const std::pair<QLineEdit*, QString> shown[] = {
        {dialog.txtVer, "1.12"},
        {dialog.txtMeterTime, "03/09/2026   14:05:07"},
        {dialog.txtInt, "2"},
        {dialog.txtDataSets, QString::number(meter.Memory().SetCount())},
        {dialog.txtMemoryAvailable, QString::number((128256 - meter.Memory().MemoryEnd()) / 2)},
        {dialog.txtSN, "QX574-0012345"},
        {dialog.txt94dB, "-0.3"},
        {dialog.txt70dB, "1.64  (420)"},
    };
    for (const auto& [edit, text] : shown)
        EXPECT_EQ(edit->text(), text) << edit->objectName().toStdString();
    EXPECT_GT(meter.Memory().SetCount(), 0);

    meter.FailRead(1);
    dialog.Button4->click();
    for (const auto& [edit, text] : shown)
        EXPECT_EQ(edit->text(), "") << "nothing old stays: " << edit->objectName().toStdString();
    EXPECT_EQ(prompts.prompts.TakeErrors(), QStringList({"no response from device, error code=906"}));
}

TEST_F(TfrmSetupTest, EraseAsksFirstAndErasesOnlyOnAnExplicitYes)
{
    const int sets = meter.Memory().SetCount();
    prompts.prompts.answers = {Prompts::Answer::No, Prompts::Answer::Cancel};
    dialog.Button3->click();
    dialog.Button3->click();
    EXPECT_EQ(meter.Memory().SetCount(), sets);
    EXPECT_TRUE(usb.writes.empty());
    EXPECT_EQ(prompts.prompts.questionDefaults, std::deque<Prompts::Answer>(2, Prompts::Answer::No))
        << "Enter keeps the memory";

    prompts.prompts.answers = {Prompts::Answer::Yes};
    dialog.Button3->click();
    EXPECT_EQ(prompts.prompts.questions, QStringList(3, QStringLiteral("Are you sure to erase memory ?")));
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"erase memory successfully"}));
    EXPECT_EQ(meter.Memory().SetCount(), 0);
    dialog.Button4->click();
    EXPECT_EQ(dialog.txtDataSets->text(), "0");
    EXPECT_EQ(dialog.txtMemoryAvailable->text(), "64000");
    prompts.prompts.TakeMessages();
}

TEST_F(TfrmSetupTest, EepromBytesAreWrittenAndReadThroughTheirBoxes)
{
    dialog.txtWAddress->setText("70000");
    dialog.txtWData->setText("44");
    dialog.Button6->click();
    EXPECT_EQ(meter.Memory().Byte(70000), 0x2C);
    dialog.txtRAddress->setText("70000");
    dialog.Button7->click();
    EXPECT_EQ(dialog.txtRData->text(), "44");
    dialog.txtRAddress->setText("0x0F");  // the interval's low byte
    dialog.Button7->click();
    EXPECT_EQ(dialog.txtRData->text(), "2");
    // Success says nothing; the byte read is the answer.
    EXPECT_TRUE(prompts.prompts.Messages().isEmpty());
    EXPECT_TRUE(prompts.prompts.Errors().isEmpty());
}

TEST_F(TfrmSetupTest, AnEepromAddressOrDataThatIsNotANumberSendsNothing)
{
    struct Case { const char* address; const char* data; const char* error; } cases[] = {
        {"abc", "1", "'abc' is not a valid EEPROM address: enter a number from 0 to 16777215"},
        {"16777216", "1", "'16777216' is not a valid EEPROM address: enter a number from 0 to 16777215"},
        {"-1", "1", "'-1' is not a valid EEPROM address: enter a number from 0 to 16777215"},
        {"", "1", "'' is not a valid EEPROM address: enter a number from 0 to 16777215"},
        {"5", "x", "'x' is not a valid EEPROM data byte: enter a number from 0 to 255"},
        {"5", "", "'' is not a valid EEPROM data byte: enter a number from 0 to 255"},
        {"5", "256", "'256' is not a valid EEPROM data byte: enter a number from 0 to 255"},
        {"5", "-1", "'-1' is not a valid EEPROM data byte: enter a number from 0 to 255"},
    };
    const std::uint8_t before = meter.Memory().Byte(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.address << " / " << c.data);
        dialog.txtWAddress->setText(c.address);
        dialog.txtWData->setText(c.data);
        dialog.Button6->click();
        EXPECT_EQ(prompts.prompts.TakeErrors(), QStringList({c.error}));
    }
    dialog.txtRAddress->setText("abc");
    dialog.Button7->click();
    EXPECT_EQ(prompts.prompts.TakeErrors(),
              QStringList({"'abc' is not a valid EEPROM address: enter a number from 0 to 16777215"}));
    EXPECT_EQ(dialog.txtRData->text(), "");
    EXPECT_TRUE(usb.writes.empty());
    EXPECT_EQ(meter.Memory().Byte(5), before);
}

TEST_F(TfrmSetupTest, EachFailureShowsItsMessage)
{
    struct Case {
        const char* name;
        QPushButton* TfrmSetup::*button;
        void (*fault)(SimulatedMeter&);
        QStringList errors;
    } cases[] = {
        {"time: no meter", &TfrmSetup::Button1, [](SimulatedMeter& m) { m.RefuseOpen(); }, {"Meter time updated fail"}},
        {"time: packet refused", &TfrmSetup::Button1, [](SimulatedMeter& m) { m.FailWrite(2); }, {"Meter time updated fail"}},
        {"interval: no meter", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.RefuseOpen(); }, {"fail to open device"}},
        {"interval: time-outs", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.FailTimeouts(); }, {"fail to set timeout"}},
        {"interval: first write", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.FailWrite(1); }, {"fail to write command to device"}},
        {"interval: second write", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.FailWrite(2); }, {"fail to write command to device"}},
        {"interval: first read", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.FailRead(1); }, {"no response from device, error code=706"}},
        {"interval: echo", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.AnswerWrongEcho(); }, {"no response from device, error code=707"}},
        {"interval: second read", &TfrmSetup::Button2, [](SimulatedMeter& m) { m.FailRead(2); }, {"no response from device, error code=709"}},
        {"erase: no meter", &TfrmSetup::Button3, [](SimulatedMeter& m) { m.RefuseOpen(); }, {"fail to open device"}},
        {"erase: time-outs", &TfrmSetup::Button3, [](SimulatedMeter& m) { m.FailTimeouts(); }, {"fail to set timeout"}},
        {"erase: write", &TfrmSetup::Button3, [](SimulatedMeter& m) { m.FailWrite(1); }, {"fail to write command to device"}},
        {"erase: echo", &TfrmSetup::Button3, [](SimulatedMeter& m) { m.AnswerWrongEcho(); }, {"no response from device, error code=807"}},
        {"erase: no reply", &TfrmSetup::Button3, [](SimulatedMeter& m) { m.FailRead(1); },
         {"no response from device, error code=806"}},
        {"read: no meter", &TfrmSetup::Button4, [](SimulatedMeter& m) { m.RefuseOpen(); }, {"fail to open device"}},
        {"read: time-outs", &TfrmSetup::Button4, [](SimulatedMeter& m) { m.FailTimeouts(); }, {"fail to set timeout"}},
        {"read: write", &TfrmSetup::Button4, [](SimulatedMeter& m) { m.FailWrite(1); }, {"fail to write command to device"}},
        {"read: no reply", &TfrmSetup::Button4, [](SimulatedMeter& m) { m.FailRead(1); },
         {"no response from device, error code=906"}},
        {"read: serial number", &TfrmSetup::Button4, [](SimulatedMeter& m) { m.FailSerialNumber(); }, {"can not read serail number"}},
        {"write EEPROM: no meter", &TfrmSetup::Button6, [](SimulatedMeter& m) { m.RefuseOpen(); }, {"Error Code=703"}},
        {"write EEPROM: time-outs", &TfrmSetup::Button6, [](SimulatedMeter& m) { m.FailTimeouts(); }, {"Error Code=704"}},
        {"write EEPROM: write", &TfrmSetup::Button6, [](SimulatedMeter& m) { m.FailWrite(1); }, {"Error Code=708"}},
        {"write EEPROM: echo", &TfrmSetup::Button6, [](SimulatedMeter& m) { m.AnswerWrongEcho(); }, {"Error Code=707"}},
        {"read EEPROM: no reply", &TfrmSetup::Button7, [](SimulatedMeter& m) { m.FailRead(1); }, {"Error Code=709"}},
        {"read EEPROM: echo", &TfrmSetup::Button7, [](SimulatedMeter& m) { m.AnswerWrongEcho(); }, {"Error Code=707"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        meter.ClearFaults();
        c.fault(meter);
        if (c.button == &TfrmSetup::Button3)
            prompts.prompts.answers = {Prompts::Answer::Yes};
        Click(c.button);
        EXPECT_EQ(prompts.prompts.TakeErrors(), c.errors);
        EXPECT_TRUE(prompts.prompts.TakeMessages().isEmpty());
        EXPECT_TRUE(monitor.isActive());
    }
    prompts.prompts.questions.clear();
}

// Every button holds the link while it talks to the meter; only the EEPROM buttons, single
// short exchanges, leave the monitor running.
TEST_F(TfrmSetupTest, TheLongButtonsPauseTheMonitorTheEepromOnesDoNotAndEveryOneHoldsTheLink)
{
    struct Case { const char* name; QPushButton* TfrmSetup::*button; bool paused; } cases[] = {
        {"time", &TfrmSetup::Button1, true},   {"interval", &TfrmSetup::Button2, true},
        {"erase", &TfrmSetup::Button3, true},  {"read", &TfrmSetup::Button4, true},
        {"write EEPROM", &TfrmSetup::Button6, false}, {"read EEPROM", &TfrmSetup::Button7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        usb.writes.clear();
        if (c.button == &TfrmSetup::Button3)
            prompts.prompts.answers = {Prompts::Answer::Yes};
        Click(c.button);
        ASSERT_FALSE(usb.writes.empty());
        for (const WatchedMeter::Write& write : usb.writes) {
            EXPECT_EQ(write.monitorRunning, !c.paused);
            EXPECT_TRUE(write.linkBusy);
        }
        EXPECT_TRUE(monitor.isActive()) << "the monitor runs again";
        EXPECT_FALSE(Link().Busy());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        prompts.prompts.TakeMessages();
        prompts.prompts.TakeErrors();
    }
    prompts.prompts.questions.clear();
}

TEST_F(TfrmSetupTest, NoButtonTouchesTheLinkWhileAnotherSequenceHoldsIt)
{
    std::optional<LinkSequence> download = Link().TryBegin();
    // No answer is scripted: the erase must not even ask.
    for (QPushButton* button : {dialog.Button1, dialog.Button2, dialog.Button3, dialog.Button4, dialog.Button6,
                                dialog.Button7})
        button->click();
    EXPECT_TRUE(usb.writes.empty());
    EXPECT_TRUE(prompts.prompts.Messages().isEmpty());
    EXPECT_TRUE(prompts.prompts.Errors().isEmpty());
    download.reset();
    EXPECT_TRUE(monitor.isActive());
}

TEST_F(TfrmSetupTest, ANewIntervalIsWhatTheNextRecordingUsesAndADownloadShowsIt)
{
    meter.Memory().Erase();
    dialog.edtInt1->setText("00");
    dialog.edtInt2->setText("05");
    dialog.Button2->click();
    prompts.prompts.TakeMessages();

    meter.HoldLevel(65.0);
    Press(Cmd::RecKey);
    Pass(60);
    Press(Cmd::RecKey);

    std::optional<LinkSequence> link = Link().TryBegin();
    const DownloadResult download = DownloadMemory(*link, [](int, int) { return true; });
    link.reset();
    ASSERT_EQ(download.code, 0);
    const DecodedMemory decoded = DecodeMemoryImage(download.image, ReadMemoryEnd(download.image), clock.clock.now);
    ASSERT_TRUE(decoded.table.has_value());
    ASSERT_EQ(decoded.table->sets.size(), 1u);
    const DataSet& set = decoded.table->sets[0];
    EXPECT_EQ(set.interval, 5);
    EXPECT_EQ(set.sampleCount, 13) << "one on pressing REC, then one every 5 s for 60 s";
    EXPECT_NEAR(set.startTime, start, OneSecond);
    EXPECT_NEAR(decoded.table->times[12] - decoded.table->times[0], 60 * OneSecond, 1e-9);

    dialog.Button4->click();
    EXPECT_EQ(dialog.txtInt->text(), "5");
    EXPECT_EQ(dialog.txtDataSets->text(), "1");
    prompts.prompts.TakeMessages();
}
