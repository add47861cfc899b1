#pragma once
#include <QString>

// Why a file gave no recording: it cannot be read or is none (Unreadable), or it holds no
// samples (NoData). The message is one line naming the file.
struct RecordingProblem {
    enum class Kind { Unreadable, NoData };
    Kind kind = Kind::Unreadable;
    QString message;
};

// How messages name what path gives: "standard input" for "-".
QString InputName(const QString& path);
