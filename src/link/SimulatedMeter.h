#pragma once
#include "link/HtUsb.h"
#include "link/LevelDetector.h"
#include "link/LoggerMemory.h"
#include "link/MeterClock.h"
#include "link/MeterFrames.h"
#include "link/MeterReplies.h"
#include "link/SimulatedRoom.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// A meter on the other side of the transport. It answers every command from its own
// state: a live level from a simulated room, the keys' modes, a clock, and a logger memory
// that starts with a few recordings. Time passes only with the clock seam, so tests that
// move a test clock get the same meter every run. Faults can be switched on for tests.
class SimulatedMeter final : public HtUsb {
public:
    static constexpr std::uint32_t DefaultSeed = 574;
    static constexpr int TicksPerSecond = 16;  // how finely the level is followed
    static constexpr std::uint8_t DefaultFirmwareVersion = 112;  // 1.12

    explicit SimulatedMeter(std::uint32_t seed = DefaultSeed);

    std::int32_t CloseDevice() override;
    std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) override;
    std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t PrepareRead() override;
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override;
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) override;

    // Brings the level, MAX/MIN and a running recording up to the clock; every command does.
    void Advance();

    // What the meter shows and holds.
    bool IsOpen() const { return open; }
    StatusFields Status() const;  // as the next status reply would carry it (sequence 0)
    bool Recording() const { return recording; }
    bool Full() const { return full; }
    bool Fast() const { return fast; }
    bool AWeighting() const { return aWeighting; }
    std::uint8_t RangeCode() const { return rangeCode; }
    bool MaxMinOn() const { return maxMinOn; }
    std::uint8_t Selection() const { return selection; }
    int LevelTenths() const;
    double MeterTime() const { return clock.Now(); }
    const LoggerMemory& Memory() const { return memory; }
    LoggerMemory& Memory() { return memory; }
    const std::string& SerialNumber() const { return serialNumber; }
    void SetSerialNumber(std::string text) { serialNumber = std::move(text); }
    std::uint8_t FirmwareVersion() const { return DefaultFirmwareVersion; }

    // The sound: a steady level in place of the room, and a delay per exchange like a USB link.
    void HoldLevel(double dbA) { room.Hold(dbA); }
    void ReleaseLevel() { room.Release(); }
    void SetExchangeDelayMs(std::uint32_t ms) { exchangeDelayMs = ms; }

    // Faults for tests.
    void RefuseOpen(bool on = true) { faults.refuseOpen = on; }
    void FailTimeouts(bool on = true) { faults.failTimeouts = on; }
    // The n-th write (command or data block) or read from now fails once; 1 is the next.
    void FailWrite(int n) { faults.writesUntilFailure = n; }
    void FailRead(int n) { faults.readsUntilFailure = n; }
    void AnswerWrongMarkers(bool on = true) { faults.wrongMarkers = on; }
    void AnswerWrongModel(bool on = true) { faults.wrongModel = on; }
    void AnswerWrongSequenceEcho(bool on = true) { faults.wrongSequenceEcho = on; }
    void AnswerWrongEcho(bool on = true) { faults.wrongEcho = on; }  // erase and EEPROM echoes
    void AnswerNonBcdClock(bool on = true) { faults.nonBcdClock = on; }
    void FailSerialNumber(bool on = true) { faults.failSerialNumber = on; }
    void ServeMemoryUpTo(int bytes) { faults.servedMemoryBytes = bytes; }  // later blocks go unanswered
    void CorruptServedByte(int address, std::uint8_t value) { faults.corruptedBytes[address] = value; }
    void ClearFaults() { faults = {}; }

private:
    struct Faults {
        bool refuseOpen = false;
        bool failTimeouts = false;
        int writesUntilFailure = 0;
        int readsUntilFailure = 0;
        bool wrongMarkers = false;
        bool wrongModel = false;
        bool wrongSequenceEcho = false;
        bool wrongEcho = false;
        bool nonBcdClock = false;
        bool failSerialNumber = false;
        std::optional<int> servedMemoryBytes;
        std::map<int, std::uint8_t> corruptedBytes;
    };

    static bool CountDown(int& until);
    void Handle(const CommandFrame& command);
    void PressRec();
    void StartRecording();
    void StopRecording();
    void PressMaxMin();
    void StepTick();
    void TakeDueSamples();
    double LevelDb() const;
    ReplyFrame MemoryBlock(int address) const;
    void ServeNextBlock();
    void Answer(ReplyFrame reply) { pendingReply = reply; }
    void SpoilMarkers(ReplyFrame& reply, std::uint8_t start, std::uint8_t end) const;

    // The link
    bool open = false;
    std::optional<ReplyFrame> pendingReply;
    bool awaitingClockBlock = false;
    int downloadCursor = -1;  // address of the next block served, -1 outside a download
    std::uint32_t exchangeDelayMs = 0;
    Faults faults;

    // The meter
    SimulatedRoom room;
    LevelDetector detector;
    MeterClock clock;
    LoggerMemory memory;
    std::string serialNumber = "QX574-0012345";
    bool fast = true;
    bool aWeighting = true;
    std::uint8_t rangeCode = Range::Auto;
    bool maxMinOn = false;
    std::uint8_t selection = MaxMinSelect::None;
    int maxTenths = 0;
    int minTenths = 0;
    bool recording = false;
    bool full = false;

    // Time, in ticks of the clock seam since the meter started.
    double originDays = 0.0;
    std::int64_t tick = 0;
    std::int64_t nextSampleTick = 0;
    std::int64_t sampleTicks = TicksPerSecond;
};
