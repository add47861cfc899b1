#include "HexFile.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

QString TestDataPath(const QString& name)
{
    return QStringLiteral(QX574_TEST_DATA_DIR "/") + name;
}

QByteArray ReadHexFile(const QString& name)
{
    QFile file(TestDataPath(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return {};
    }
    QByteArray bytes;
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        QString line = QString::fromUtf8(file.readLine());
        line.truncate(line.indexOf(u'#') < 0 ? line.size() : line.indexOf(u'#'));
        for (const QString& token : line.simplified().split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            const uint value = token.toUInt(&ok, 16);
            if (!ok || token.size() != 2) {
                ADD_FAILURE() << name.toStdString() << ":" << lineNumber << ": not a byte: "
                              << token.toStdString();
                return {};
            }
            bytes.append(static_cast<char>(value));
        }
    }
    return bytes;
}
