#pragma once
#include "FakeClock.h"
#include "link/SimulatedMeter.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"
#include "TestLink.h"
#include "TestWait.h"
#include "watch/RunWatch.h"
#include "watch/WatchMessages.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <cstdint>

#include <gtest/gtest.h>

// A watch run in this process against the simulated meter, on the test clock: time passes only
// in the run's waits, so a run of hours ends at once, and what the run tells is kept.
class WatchRunFixture : public ::testing::Test {
protected:
    static constexpr const char* Serial = "QX574-0012345";

    TestEnvironment env;
    ScopedFakeClock clock;
    double start = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)));
    SimulatedMeter meter;
    TestLink link{meter};
    QTemporaryDir dir;
    QString messages;  // the lines the run told, each ending in a line feed
    WatchMessages tell = [this](const QString& line) { messages += line + u'\n'; };
    TestWait wait{clock.clock, start};

    WatchRunFixture()
    {
        clock.clock.now = start;
        clock.clock.tickStep = 0;
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // A run of durationMs, one reading a second, on the meter named Serial, written to watch.csv.
    WatchOptions Options(std::int64_t durationMs) const
    {
        WatchOptions options;
        options.durationMs = durationMs;
        options.meter = QString::fromLatin1(Serial);
        options.out = Path("watch.csv");
        return options;
    }
};
