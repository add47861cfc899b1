#pragma once
#include "FakeClock.h"
#include "link/MeterFrames.h"
#include "link/SimulatedMeter.h"
#include "shell/Formats.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <optional>

// A simulated meter on a test clock set to 9 March 2026 14:05:07, with the exchange steps
// written out so that each test reads as the commands it sends.
class SimulatedMeterFixture : public ::testing::Test {
protected:
    static double At(int year, int month, int day, int hour, int minute, int second)
    {
        return DaysFromDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
    }

    static CommandFrame Frame(std::uint8_t command, std::uint8_t b2 = 0, std::uint8_t b3 = 0,
                              std::uint8_t b4 = 0, std::uint8_t b5 = 0)
    {
        return {0x02, command, b2, b3, b4, b5, 0x03};
    }

    // Close, open, time-outs, write, prepare, read, close; the reply if one was read.
    std::optional<ReplyFrame> Ask(const CommandFrame& command)
    {
        if (!OpenLink())
            return std::nullopt;
        meter.WriteCommand(7, command.data());
        meter.PrepareRead();
        ReplyFrame reply{};
        const bool read = meter.ReadReply(32, reply.data()) == 0;
        meter.CloseDevice();
        return read ? std::optional(reply) : std::nullopt;
    }

    ReplyFrame Must(const CommandFrame& command)
    {
        const std::optional<ReplyFrame> reply = Ask(command);
        EXPECT_TRUE(reply.has_value()) << "no reply to command " << int(command[1]);
        return reply.value_or(ReplyFrame{});
    }

    // A key: written without reading anything.
    void Press(std::uint8_t key)
    {
        ASSERT_TRUE(OpenLink());
        const CommandFrame command = Frame(key);
        ASSERT_EQ(meter.WriteCommand(7, command.data()), 0);
        meter.CloseDevice();
    }

    void Press(const std::string& keys)
    {
        for (const char key : keys)
            Press(static_cast<std::uint8_t>(key));
    }

    // On the link already open: writes one command and reads its reply; true when one came.
    bool Send(std::uint8_t command, ReplyFrame& reply)
    {
        const CommandFrame frame = Frame(command);
        meter.WriteCommand(7, frame.data());
        meter.PrepareRead();
        return meter.ReadReply(32, reply.data()) == 0;
    }

    ReplyFrame Status(std::uint8_t sequence = 0) { return Must(Frame('A', 0, 0, 0, sequence)); }

    // Lets time pass on the clock and the meter follow it.
    void Pass(double seconds)
    {
        clockScope.clock.now += seconds * OneSecond;
        meter.Advance();
    }

    static int Word(const ReplyFrame& reply, int offset) { return reply[offset] * 256 + reply[offset + 1]; }

    // A meter just switched on, for one row of a table.
    void Restart()
    {
        clockScope.clock.now = start;
        meter = SimulatedMeter();
    }

    bool OpenLink()
    {
        meter.CloseDevice();
        return meter.OpenDevice(0x04D9, 0xE000) == 0 && meter.SetTimeouts(1000, 1000) == 0;
    }

    ScopedFakeClock clockScope;
    // The meter starts on the test clock, so it must be set first.
    const double start = (clockScope.clock.now = At(2026, 3, 9, 14, 5, 7));
    SimulatedMeter meter;
};
