#pragma once
#include <QByteArray>
#include <QString>

// Golden files under tests/data/ are written by hand as hex text: two-digit byte tokens
// separated by blanks, with '#' starting a comment to the end of the line. A token that
// is not a byte fails the test that reads it.
QByteArray ReadHexFile(const QString& name);

// The full path of a file under tests/data/.
QString TestDataPath(const QString& name);
