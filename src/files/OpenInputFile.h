#pragma once
#include <QString>

class QFile;

// What a reader takes besides regular files.
enum class InputKinds {
    // The window program: a pipe would block its only thread until a writer came, and a device
    // may never end, so only files stored on a disk are opened.
    RegularFiles,
    // The command line: pipes and devices too, read as streams (a pipe waits for its writer, as
    // with any Unix program).
    AlsoStreams,
};

// Opens path for reading into file; a pipe is never waited on to refuse it. False with a
// message naming the file when it cannot be opened, is a folder or is of a kind not taken.
bool OpenInputFile(QFile& file, const QString& path, InputKinds kinds, QString* error);
