#pragma once
#include <QByteArray>
#include <QString>

// Writes a test's input file whole; a file that cannot be opened fails the test.
void WriteTestFile(const QString& path, const QByteArray& bytes);
