#pragma once
#include "files/CollectionFile.h"
#include "HexImage.h"
#include "TestFiles.h"

#include <QDir>
#include <QString>

// A collection whose first recording's start marker is damaged (tests/data/
// memory_damaged_markers.hex): it is read all the same, and every face that reads it says what
// was damaged in the same words, naming the file.
inline void WriteDamagedCollection(const QString& path)
{
    WriteTestFile(path, CollectionBytes(ReadHexImage("memory_damaged_markers.hex")));
}

inline QString DamagedMarkersSentence(const QString& path)
{
    return QDir::toNativeSeparators(path)
        + QStringLiteral(": a recording's markers are not where expected (code 33); its samples are kept as found.");
}
