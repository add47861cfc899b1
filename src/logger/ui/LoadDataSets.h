#pragma once
#include "logger/DataLoggerSession.h"

#include <QString>

#include <cstdint>
#include <vector>

class DataLoggerSession;
class LinkSequence;
class LongTask;
class TfrmGraph;

struct LoadResult {
    // 0, a download code 117-126, 31 when the memory holds no data (no recordings, or none
    // with a sample) or 32 when it cannot be decoded
    int code = 0;
    bool cancelled = false;  // the user stopped the download
};

// Downloads the logger memory over the sequence with the progress window, then shows it as
// ShowMemoryImage does. A download that fails, is cancelled or that task is asked to stop leaves
// the data sets, the list and the working file as they were.
LoadResult LoadDataSets(TfrmGraph& window, DataLoggerSession& session, LinkSequence& link, const LongTask& task);

// A decoded logger memory (downloaded, or read from the collection file): when
// UseOfDecodedMemory finds it usable, makes it the session's, writes the working file, shows
// the data sets with set 0 in the window and tells what was damaged in it (the command line's
// warnings, naming source); otherwise changes nothing. A working file that cannot be written is
// reported; the data are shown all the same.
DecodedUse ShowMemoryImage(TfrmGraph& window, DataLoggerSession& session, std::vector<std::uint8_t> image,
                           DataLoggerSession::Decoded decoded, const QString& source, const QString& file = {});
