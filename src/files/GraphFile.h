#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

// A graph file is a 32-bit little-endian byte count followed by that many bytes of the
// chart's state block.

// The largest state block a graph file may announce; anything larger is a damaged file.
constexpr qint64 MaxGraphBlockSize = 512LL * 1024 * 1024;

// Replaces the file; false with a message naming the file when it cannot be written.
bool WriteGraphBlock(const QString& path, const QByteArray& block, QString* error);
// The block of a graph file; nothing, with a message naming the file, when the file cannot
// be read, is not a regular file, announces an impossible size or ends before the announced
// bytes.
std::optional<QByteArray> ReadGraphBlock(const QString& path, QString* error);

// The message for a graph file whose block is damaged, naming the file and the reason.
QString DamagedGraphFileText(const QString& path, const QString& reason);
