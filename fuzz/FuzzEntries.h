#pragma once
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

struct DataSetTable;

// The routines that read what comes from outside the program (a meter's replies and memory,
// files a user opens), each taking any bytes. The fuzz targets run them, and the test suite
// replays the golden files and every input a fuzzer ever found through the very same ones.
// An entry aborts with a message when a result breaks a promise of the routine it runs.

using FuzzInput = std::span<const std::uint8_t>;

// A logger memory image decoded as a download or a collection decodes it, with the memoryEnd
// of its header, and again with any memoryEnd (bytes 1-4, which the decoder never reads).
void FuzzMemoryImage(FuzzInput data);
// A collection file opened as the window and the command line open it: read, decoded, shown
// in the list, written back as the working file and converted to CSV and noise measures.
void FuzzCollectionFile(FuzzInput data);
// A graph file read with its size and state block, and the state block of whatever follows
// the size; a block that loads stores back to the same state.
void FuzzGraphFile(FuzzInput data);
// A text file imported into a list, TAB- and comma-separated, under a point and a comma
// locale, and its rows read as the graph of a list reads them.
void FuzzImportText(FuzzInput data);
// A run of 32-byte meter replies, each after a byte that says whether its read succeeded:
// decoded as status, identification, logger information and echoes, followed by a live LEQ
// measurement and the watch command's records.
void FuzzMeterReplies(FuzzInput data);

// A file given to qx574 report: read as a log of qx574 watch, whose readings go through every
// survey analysis, and as a survey file, which is written back and read again.
void FuzzReportInput(FuzzInput data);

struct FuzzEntry {
    const char* name;  // the fuzz target's name and its folder of found inputs
    void (*run)(FuzzInput data);
};
std::span<const FuzzEntry> FuzzEntries();

// Aborts with the text when a promise is broken: the fuzzer keeps the input, a test fails.
void FuzzCheck(bool kept, const char* promise);

// Shared by the entries.

// The bytes as the content of a file of this process, replaced at every call; its path.
QString WriteFuzzFile(FuzzInput data);
// The promises of a decoded logger memory: every set owns exactly its samples, no more than a
// logger memory holds; extremes, levels, intervals and means in range.
void CheckDataSetTable(const DataSetTable& table);
