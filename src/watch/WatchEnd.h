#pragma once

// How a watch run ended; the command line turns it into its exit status.
enum class WatchEnd {
    Done,         // it ran its time or was asked to stop
    NoMeter,      // no meter answered at the start, or not a 574
    CannotWrite,  // the output or the spool could not be opened or written
};
