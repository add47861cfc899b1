#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

// Where qx574 watch writes: a file it appends to, or standard output. Each record goes to the
// system as it is written, so a crash loses none written before it; a log that grows record
// by record is appended to, not saved whole.
class WatchOutput {
public:
    // Opens path (standard output when empty or "-") and writes header first when the file is
    // empty.
    // False with a message naming the file.
    bool Open(const QString& path, const QByteArray& header, QString* error);
    bool Write(const QByteArray& line, QString* error);

private:
    QString ErrorText() const;

    QFile file;
    QString path;
};
