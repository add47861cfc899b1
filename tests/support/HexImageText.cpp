#include "HexImageText.h"

#include <QRegularExpression>
#include <QStringList>

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

bool ReadLine(const QString& line, std::vector<std::uint8_t>& bytes, std::uint8_t& filler)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList tokens = line.split(blanks);
    const QString first = tokens.front();
    if (first.startsWith(u'@'))
        return tokens.size() == 1 && PadTo(first.mid(1), bytes, filler);
    if (first == QStringLiteral("size"))
        return tokens.size() == 2 && PadTo(tokens[1], bytes, filler);
    if (first == QStringLiteral("fill")) {
        std::vector<std::uint8_t> value;
        if (tokens.size() != 2 || !AppendHex(tokens.mid(1), value))
            return false;
        filler = value.front();
        return true;
    }
    if (first == QStringLiteral("repeat")) {
        const qsizetype colon = line.indexOf(u':');
        bool ok = false;
        const uint times = line.mid(6, colon - 6).trimmed().toUInt(&ok);
        std::vector<std::uint8_t> group;
        if (!ok || colon <= 0 || !AppendHex(line.mid(colon + 1).trimmed().split(blanks), group))
            return false;
        for (uint i = 0; i < times; ++i)
            bytes.insert(bytes.end(), group.begin(), group.end());
        return true;
    }
    return AppendHex(tokens, bytes);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ParseHexImage(const QByteArray& text, QString* error)
{
    std::vector<std::uint8_t> bytes;
    std::uint8_t filler = 0;
    int lineNumber = 0;
    for (const QByteArray& raw : text.split('\n')) {
        ++lineNumber;
        QString line = QString::fromUtf8(raw);
        line = line.left(line.indexOf(u'#')).trimmed();
        if (line.isEmpty())
            continue;
        if (!ReadLine(line, bytes, filler)) {
            if (error)
                *error = QStringLiteral("%1: cannot read \"%2\"").arg(lineNumber).arg(line);
            return std::nullopt;
        }
    }
    return bytes;
}
