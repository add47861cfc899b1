#include "ReplayTransport.h"

#include "HexImage.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// "2026-03-09 14:05:07.250 WriteCommand 7 -> 0 : 02 41 00 00 00 2A 03"
const QRegularExpression LogLine(
    QStringLiteral(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} (\w+(?: [^ ]+)*) -> (-?\d+)(?: : (.*))?$)"));

QString Hex16(std::uint16_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

std::optional<QByteArray> HexData(const QString& text)
{
    QByteArray bytes;
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint value = pair.toUInt(&ok, 16);
        if (!ok || pair.size() != 2)
            return std::nullopt;
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

}  // namespace

std::optional<ReplayTransport> ReplayTransport::FromText(const QByteArray& log, QString* error)
{
    ReplayTransport replay;
    const QList<QByteArray> lines = log.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.endsWith(QStringLiteral(" QX574 USB traffic log")))
            continue;
        const QRegularExpressionMatch match = LogLine.match(line);
        Step step;
        step.line = static_cast<int>(i) + 1;
        bool ok = match.hasMatch();
        if (ok) {
            step.operation = match.captured(1);
            step.result = match.captured(2).toInt(&ok);
        }
        const QString data = match.captured(3);
        if (ok && step.operation.startsWith(QStringLiteral("ReadSerialNumber"))) {
            ok = data.isEmpty() || (data.size() >= 2 && data.startsWith(u'"') && data.endsWith(u'"'));
            step.data = data.mid(1, data.size() - 2).toLatin1();
        } else if (ok) {
            const std::optional<QByteArray> bytes = HexData(data);
            ok = bytes.has_value();
            step.data = bytes.value_or(QByteArray());
        }
        if (!ok) {
            *error = QStringLiteral("line %1 is no traffic log line: %2").arg(step.line).arg(line);
            return std::nullopt;
        }
        replay.steps.push_back(std::move(step));
    }
    return replay;
}

ReplayTransport ReplayTransport::FromTestData(const char* name)
{
    QFile file(TestDataPath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QString error;
    std::optional<ReplayTransport> replay = FromText(file.readAll(), &error);
    EXPECT_TRUE(replay.has_value()) << name << ": " << error.toStdString();
    return replay ? std::move(*replay) : ReplayTransport();
}

const ReplayTransport::Step* ReplayTransport::Take(const QString& operation)
{
    if (next == steps.size()) {
        ADD_FAILURE() << "the log ends, but the program asks for " << operation.toStdString();
        return nullptr;
    }
    const Step& step = steps[next];
    if (step.operation != operation) {
        ADD_FAILURE() << "line " << step.line << " logs " << step.operation.toStdString() << ", the program asks for "
                      << operation.toStdString();
        return nullptr;
    }
    ++next;
    return &step;
}

std::int32_t ReplayTransport::Written(const QString& operation, std::int32_t count, const std::uint8_t* bytes)
{
    const Step* step = Take(QStringLiteral("%1 %2").arg(operation).arg(count));
    if (!step)
        return -1;
    const QByteArray written = bytes && count > 0 ? QByteArray(reinterpret_cast<const char*>(bytes), count) : QByteArray();
    if (written != step->data) {
        ADD_FAILURE() << "line " << step->line << " logs " << step->data.toHex(' ').toStdString()
                      << ", the program writes " << written.toHex(' ').toStdString();
        return -1;
    }
    return step->result;
}

std::int32_t ReplayTransport::CloseDevice()
{
    const Step* step = Take(QStringLiteral("CloseDevice"));
    return step ? step->result : -1;
}

std::int32_t ReplayTransport::OpenDevice(std::uint16_t vendorId, std::uint16_t productId)
{
    const Step* step = Take(QStringLiteral("OpenDevice %1 %2").arg(Hex16(vendorId), Hex16(productId)));
    return step ? step->result : -1;
}

std::int32_t ReplayTransport::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    const Step* step = Take(QStringLiteral("SetTimeouts %1 %2").arg(readMs).arg(writeMs));
    return step ? step->result : -1;
}

std::int32_t ReplayTransport::WriteCommand(std::int32_t count, const std::uint8_t* bytes)
{
    return Written(QStringLiteral("WriteCommand"), count, bytes);
}

std::int32_t ReplayTransport::PrepareRead()
{
    const Step* step = Take(QStringLiteral("PrepareRead"));
    return step ? step->result : -1;
}

std::int32_t ReplayTransport::ReadReply(std::int32_t count, std::uint8_t* buffer)
{
    const Step* step = Take(QStringLiteral("ReadReply %1").arg(count));
    if (!step)
        return -1;
    if (step->result != 0)
        return step->result;
    if (step->data.size() != count || !buffer) {
        ADD_FAILURE() << "line " << step->line << " logs " << step->data.size() << " bytes read, the program asks for "
                      << count;
        return -1;
    }
    std::memcpy(buffer, step->data.constData(), static_cast<std::size_t>(count));
    return 0;
}

std::int32_t ReplayTransport::WriteData(std::int32_t count, const std::uint8_t* bytes)
{
    return Written(QStringLiteral("WriteData"), count, bytes);
}

std::int32_t ReplayTransport::ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size)
{
    const Step* step = Take(QStringLiteral("ReadSerialNumber %1 %2").arg(index).arg(size));
    if (!step)
        return -1;
    if (step->result == 0 && buffer && size > 0) {
        const auto length = static_cast<std::size_t>(std::min<qsizetype>(step->data.size(), size - 1));
        std::memcpy(buffer, step->data.constData(), length);
        buffer[length] = '\0';
    }
    return step->result;
}
