#include "HexImage.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

bool AppendHex(const QStringList& tokens, std::vector<std::uint8_t>& out)
{
    for (const QString& token : tokens) {
        bool ok = false;
        const uint value = token.toUInt(&ok, 16);
        if (!ok || token.size() != 2)
            return false;
        out.push_back(static_cast<std::uint8_t>(value));
    }
    return true;
}

// Pads the image with the filler up to offset; an offset behind the bytes already read fails.
bool PadTo(const QString& offset, std::vector<std::uint8_t>& out, std::uint8_t filler)
{
    bool ok = false;
    const uint target = offset.toUInt(&ok);
    if (!ok || target < out.size())
        return false;
    out.resize(target, filler);
    return true;
}

}  // namespace

QString TestDataPath(const char* name)
{
    return QStringLiteral(QX574_TEST_DATA_DIR "/") + QString::fromLatin1(name);
}

std::vector<std::uint8_t> ReadHexImage(const char* name)
{
    QFile file(TestDataPath(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot open " << name;
        return {};
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t filler = 0;
    int lineNumber = 0;
    const QRegularExpression blanks(QStringLiteral("\\s+"));
    while (!file.atEnd()) {
        ++lineNumber;
        QString line = QString::fromUtf8(file.readLine());
        line = line.left(line.indexOf(u'#')).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList tokens = line.split(blanks);
        bool ok = true;
        const QString first = tokens.front();
        if (first.startsWith(u'@')) {
            ok = tokens.size() == 1 && PadTo(first.mid(1), bytes, filler);
        } else if (first == QStringLiteral("size")) {
            ok = tokens.size() == 2 && PadTo(tokens[1], bytes, filler);
        } else if (first == QStringLiteral("fill")) {
            std::vector<std::uint8_t> value;
            ok = tokens.size() == 2 && AppendHex(tokens.mid(1), value);
            if (ok)
                filler = value.front();
        } else if (first == QStringLiteral("repeat")) {
            const int colon = line.indexOf(u':');
            const uint times = line.mid(6, colon - 6).trimmed().toUInt(&ok);
            std::vector<std::uint8_t> group;
            ok = ok && colon > 0
                && AppendHex(line.mid(colon + 1).trimmed().split(blanks), group);
            for (uint i = 0; ok && i < times; ++i)
                bytes.insert(bytes.end(), group.begin(), group.end());
        } else {
            ok = AppendHex(tokens, bytes);
        }
        if (!ok) {
            ADD_FAILURE() << name << ":" << lineNumber << ": cannot read \"" << line.toStdString() << '"';
            return {};
        }
    }
    return bytes;
}
