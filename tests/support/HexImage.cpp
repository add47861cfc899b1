#include "HexImage.h"

#include "HexImageText.h"

#include <QFile>

#include <gtest/gtest.h>

QString TestDataPath(const char* name)
{
    return QStringLiteral(QX574_TEST_DATA_DIR "/") + QString::fromLatin1(name);
}

std::vector<std::uint8_t> ReadHexImage(const char* name)
{
    QFile file(TestDataPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << name;
        return {};
    }
    QString error;
    std::optional<std::vector<std::uint8_t>> bytes = ParseHexImage(file.readAll(), &error);
    if (!bytes) {
        ADD_FAILURE() << name << ":" << error.toStdString();
        return {};
    }
    return std::move(*bytes);
}
