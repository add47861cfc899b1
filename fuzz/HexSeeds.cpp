// Writes the bytes of commented hex files as the binary files a fuzzer starts from:
//   qx574_hex_seeds FOLDER FILE.hex...
// each into FOLDER under its name without ".hex".
#include "HexImageText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qx574_hex_seeds FOLDER FILE.hex...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QFile in(path);
        QString error;
        const std::optional<std::vector<std::uint8_t>> bytes =
            in.open(QIODevice::ReadOnly) ? ParseHexImage(in.readAll(), &error) : std::nullopt;
        QFile out(QDir(folder).filePath(QFileInfo(path).completeBaseName()));
        const auto size = bytes ? static_cast<qint64>(bytes->size()) : 0;
        if (!bytes || !out.open(QIODevice::WriteOnly)
            || out.write(reinterpret_cast<const char*>(bytes->data()), size) != size) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path),
                         qPrintable(error.isEmpty() ? QStringLiteral("cannot convert") : error));
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
