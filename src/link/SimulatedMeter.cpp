#include "link/SimulatedMeter.h"

#include "link/CommandTable.h"
#include "link/MeterBytes.h"
#include "link/MeterRange.h"
#include "link/SampleRecordings.h"
#include "shell/Clock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

constexpr std::int32_t Ok = 0;
constexpr std::int32_t Failed = 1;
constexpr int CommandLength = 7;
constexpr int ReplyLength = 32;
constexpr char ModelNumber[] = "574";
constexpr char OtherModelNumber[] = "573";
constexpr std::uint8_t SetClockSelector = 'c';
constexpr int MinIntervalSeconds = 1;
constexpr int MaxIntervalSeconds = 60;
// After a long jump of the clock only the last two hours of sound are followed.
constexpr std::int64_t MaxCatchUpTicks = 2 * 3600 * SimulatedMeter::TicksPerSecond;
constexpr double TickSeconds = 1.0 / SimulatedMeter::TicksPerSecond;
constexpr std::uint16_t MeterVendorId = 0x04D9;
constexpr std::uint16_t MeterProductId = 0xE000;

int EepromAddress(const CommandFrame& command)
{
    return static_cast<int>(ReadBigEndian(command, 2, 3));
}

void SpoilClockBytes(ReplyFrame& reply, std::initializer_list<int> offsets)
{
    // 0x5A is what the meter sends for a clock it cannot show; the others are plain garbage.
    constexpr std::uint8_t garbage[] = {0x5A, 0x5A, 0x5A, 0x1A, 0x3B, 0x2C};
    std::size_t i = 0;
    for (const int offset : offsets)
        reply[static_cast<std::size_t>(offset)] = garbage[i++ % std::size(garbage)];
}

}  // namespace

SimulatedMeter::SimulatedMeter(std::uint32_t seed)
    : room(Rooms::LivingRoom, seed), originDays(CurrentClock().Now())
{
    RecordSampleRecordings(memory, seed);
    detector.Feed(room.EnergyA(), room.EnergyC(), TickSeconds);
}

// ---- The transport ------------------------------------------------------------------

std::int32_t SimulatedMeter::CloseDevice()
{
    open = false;
    pendingReply.reset();
    return Ok;
}

std::int32_t SimulatedMeter::OpenDevice(std::uint16_t vendorId, std::uint16_t productId)
{
    open = !faults.refuseOpen && vendorId == MeterVendorId && productId == MeterProductId;
    return open ? Ok : Failed;
}

std::int32_t SimulatedMeter::SetTimeouts(std::uint32_t, std::uint32_t)
{
    return open && !faults.failTimeouts ? Ok : Failed;
}

std::int32_t SimulatedMeter::WriteCommand(std::int32_t count, const std::uint8_t* bytes)
{
    if (!open || count != CommandLength || !bytes || CountDown(faults.writesUntilFailure))
        return Failed;
    CommandFrame command;
    std::memcpy(command.data(), bytes, command.size());
    Advance();
    // A new command replaces an unread reply, as the real transport discards it.
    pendingReply.reset();
    awaitingClockBlock = false;
    if (command[0] == FrameStart && command[6] == FrameEnd)
        Handle(command);
    return Ok;
}

std::int32_t SimulatedMeter::PrepareRead() { return Ok; }

std::int32_t SimulatedMeter::ReadReply(std::int32_t count, std::uint8_t* buffer)
{
    if (!open || count != ReplyLength || !buffer)
        return Failed;
    if (exchangeDelayMs > 0)
        DelayMs(exchangeDelayMs);
    const std::optional<ReplyFrame> reply = std::exchange(pendingReply, std::nullopt);
    if (CountDown(faults.readsUntilFailure) || !reply)
        return Failed;
    std::memcpy(buffer, reply->data(), reply->size());
    return Ok;
}

std::int32_t SimulatedMeter::WriteData(std::int32_t count, const std::uint8_t* bytes)
{
    if (!open || count != ReplyLength || !bytes || CountDown(faults.writesUntilFailure))
        return Failed;
    if (std::exchange(awaitingClockBlock, false)) {
        // A block that is not a real date and time leaves the clock as it was.
        if (const auto fields = ClockFieldsFromBlock({bytes, static_cast<std::size_t>(count)}))
            if (const auto days = DaysFromClockFields(*fields))
                clock.Set(*days);
    }
    return Ok;
}

std::int32_t SimulatedMeter::ReadSerialNumber(std::int32_t, char* buffer, std::int32_t size)
{
    if (!open || !buffer || size < 1 || faults.failSerialNumber)
        return Failed;
    const std::size_t length = std::min(serialNumber.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, serialNumber.data(), length);
    buffer[length] = '\0';
    return Ok;
}

bool SimulatedMeter::CountDown(int& until)
{
    return until > 0 && --until == 0;
}

// ---- The commands -------------------------------------------------------------------

void SimulatedMeter::Handle(const CommandFrame& command)
{
    using namespace ReplyLayout;
    switch (command[1]) {
    case Cmd::Identify: {
        ReplyFrame reply = IdentificationReply(faults.wrongModel ? OtherModelNumber : ModelNumber);
        SpoilMarkers(reply, FrameStart, FrameEnd);
        Answer(reply);
        break;
    }
    case Cmd::Status: {
        StatusFields status = Status();
        status.sequence = command[SequenceByte];
        if (faults.wrongSequenceEcho)
            ++status.sequence;
        ReplyFrame reply = StatusReply(status);
        SpoilMarkers(reply, FrameStart, FrameEnd);
        if (faults.nonBcdClock)
            SpoilClockBytes(reply, {SecondByte, MinuteByte, HourByte, MonthByte, DayByte, YearByte});
        Answer(reply);
        break;
    }
    case Cmd::Resync:
    case Cmd::EndDownload:
        downloadCursor = -1;
        break;
    case Cmd::RecKey:
        PressRec();
        break;
    // The keys that set how the meter measures are locked while it records, so that a
    // recording's flags stay true for all its samples.
    case Cmd::RangeKey:
        if (!recording)
            rangeCode = NextRangeCode(rangeCode);
        break;
    case Cmd::WeightingKey:
        if (!recording)
            aWeighting = !aWeighting;
        break;
    case Cmd::FastSlowKey:
        if (!recording)
            fast = !fast;
        break;
    case Cmd::MaxMinKey:
        PressMaxMin();
        break;
    case Cmd::MaxMinCancel:
        maxMinOn = false;
        selection = MaxMinSelect::None;
        break;
    case Cmd::StartDownload: {
        ReplyFrame reply = MemoryBlock(0);
        SpoilMarkers(reply, LoggerLayout::HeaderStartMarker, LoggerLayout::HeaderEndMarker);
        Answer(reply);
        downloadCursor = ReplyLength;
        break;
    }
    case Cmd::NextBlock:
        ServeNextBlock();
        break;
    case Cmd::Erase:
        if (command == EraseFrame) {
            StopRecording();
            memory.Erase();
            full = false;
            Answer(EchoReply(command, faults.wrongEcho ? CommandLength - 1 : CommandLength));
        }
        break;
    case Cmd::Information: {
        ReplyFrame reply = LoggerInfoReply(memory.Bytes().first(LoggerLayout::HeaderPageSize),
                                           clock.Fields(), FirmwareVersion());
        if (faults.nonBcdClock)
            SpoilClockBytes(reply, {InfoClockOffset, InfoClockOffset + 1, InfoClockOffset + 2,
                                    InfoClockOffset + 3, InfoClockOffset + 4, InfoClockOffset + 5});
        Answer(reply);
        break;
    }
    case Cmd::SetClock:
        awaitingClockBlock = command[2] == SetClockSelector;
        break;
    case Cmd::WriteEeprom: {
        // An address outside the memory goes unanswered rather than pretending to be written.
        const int address = EepromAddress(command);
        if (address < LoggerLayout::MemorySize) {
            memory.SetByte(address, command[5]);
            ReplyFrame reply = EchoReply(command, CommandLength);
            if (faults.wrongEcho)
                reply[1] ^= 0xFF;
            Answer(reply);
        }
        break;
    }
    case Cmd::ReadEeprom: {
        const int address = EepromAddress(command);
        if (address < LoggerLayout::MemorySize) {
            ReplyFrame reply = EchoReply(command, 6);
            reply[6] = memory.Byte(address);
            if (faults.wrongEcho)
                reply[1] ^= 0xFF;
            Answer(reply);
        }
        break;
    }
    default:
        break;
    }
}

void SimulatedMeter::PressRec()
{
    if (recording)
        StopRecording();
    else
        StartRecording();
}

void SimulatedMeter::StartRecording()
{
    const int interval =
        std::clamp(memory.IntervalSetting(), MinIntervalSeconds, MaxIntervalSeconds);
    const RecordingHeader header{clock.Fields(), interval, RecordingFlags(fast, aWeighting, rangeCode)};
    if (!memory.BeginRecording(header)) {
        full = true;
        return;
    }
    recording = true;
    sampleTicks = static_cast<std::int64_t>(interval) * TicksPerSecond;
    nextSampleTick = tick;
    TakeDueSamples();
}

void SimulatedMeter::StopRecording()
{
    memory.EndRecording();
    recording = false;
}

void SimulatedMeter::PressMaxMin()
{
    if (!maxMinOn) {
        maxMinOn = true;
        selection = MaxMinSelect::Max;
        maxTenths = minTenths = LevelTenths();
        return;
    }
    switch (selection) {
    case MaxMinSelect::Max:
        selection = MaxMinSelect::Min;
        break;
    case MaxMinSelect::Min:
        selection = MaxMinSelect::Alternate;
        break;
    default:
        selection = MaxMinSelect::Max;
        break;
    }
}

// ---- Time -----------------------------------------------------------------------------

void SimulatedMeter::Advance()
{
    const double now = CurrentClock().Now();
    // The slack covers the rounding of day counts (about 1e-5 of a tick today).
    const double elapsedTicks = std::floor((now - originDays) * 86400.0 * TicksPerSecond + 1e-3);
    if (!(elapsedTicks >= static_cast<double>(tick)) || elapsedTicks > 1e15) {
        // The computer's clock went back (or is nonsense): carry on from here.
        originDays = now - static_cast<double>(tick) / (86400.0 * TicksPerSecond);
        return;
    }
    const auto target = static_cast<std::int64_t>(elapsedTicks);
    if (target - tick > MaxCatchUpTicks) {
        tick = target - MaxCatchUpTicks;
        TakeDueSamples();
    }
    while (tick < target)
        StepTick();
}

void SimulatedMeter::StepTick()
{
    ++tick;
    room.Step(TickSeconds);
    detector.Feed(room.EnergyA(), room.EnergyC(), TickSeconds);
    if (maxMinOn) {
        maxTenths = std::max(maxTenths, LevelTenths());
        minTenths = std::min(minTenths, LevelTenths());
    }
    TakeDueSamples();
}

void SimulatedMeter::TakeDueSamples()
{
    while (recording && tick >= nextSampleTick) {
        if (!memory.AppendSample(LevelTenths())) {
            full = true;
            StopRecording();
            return;
        }
        nextSampleTick += sampleTicks;
    }
}

// ---- Readings -------------------------------------------------------------------------

double SimulatedMeter::LevelDb() const { return detector.Level(aWeighting, fast); }

int SimulatedMeter::LevelTenths() const { return ReadingTenths(LevelDb()); }

StatusFields SimulatedMeter::Status() const
{
    const MeterRange& range = MeterRanges[RangeIndex(rangeCode)];
    const int level = LevelTenths();
    StatusFields status;
    status.recording = recording;
    status.maxMinOn = maxMinOn;
    status.aWeighting = aWeighting;
    status.fast = fast;
    status.under = LevelDb() < range.lowDb;
    status.over = LevelDb() > range.highDb;
    status.full = full;
    status.rangeCode = rangeCode;
    status.selection = maxMinOn ? selection : MaxMinSelect::None;
    status.levelTenths = level;
    status.maxTenths = maxMinOn ? maxTenths : level;
    status.minTenths = maxMinOn ? minTenths : level;
    status.clock = clock.Fields();
    return status;
}

// ---- The download ---------------------------------------------------------------------

ReplyFrame SimulatedMeter::MemoryBlock(int address) const
{
    ReplyFrame block{};
    for (int i = 0; i < ReplyLength; ++i) {
        const auto corrupted = faults.corruptedBytes.find(address + i);
        block[static_cast<std::size_t>(i)] =
            corrupted != faults.corruptedBytes.end() ? corrupted->second : memory.Byte(address + i);
    }
    return block;
}

void SimulatedMeter::ServeNextBlock()
{
    const int limit = std::min(LoggerLayout::MemorySize,
                               faults.servedMemoryBytes.value_or(LoggerLayout::MemorySize));
    if (downloadCursor < 0 || downloadCursor + ReplyLength > limit)
        return;
    Answer(MemoryBlock(downloadCursor));
    downloadCursor += ReplyLength;
}

void SimulatedMeter::SpoilMarkers(ReplyFrame& reply, std::uint8_t start, std::uint8_t end) const
{
    if (!faults.wrongMarkers)
        return;
    reply[ReplyLayout::StartByte] = static_cast<std::uint8_t>(start ^ 0xFF);
    reply[ReplyLayout::EndByte] = static_cast<std::uint8_t>(end ^ 0xFF);
}
