#include "shell/Settings.h"

#include "shell/Folders.h"

#include <QByteArray>
#include <QSettings>

#include <cmath>
#include <cstring>
#include <optional>

namespace {

const QString RateKey = QStringLiteral("RealTimeRate");
const QString DiscardKey = QStringLiteral("discard_float_error");

std::optional<double> ReadBinaryDouble(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != static_cast<qsizetype>(sizeof(double)))
        return std::nullopt;
    double result = 0.0;
    std::memcpy(&result, bytes.constData(), sizeof result);
    return result;
}

QByteArray BinaryDouble(double value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

bool IsValidSamplingRate(double seconds)
{
    return std::isfinite(seconds) && seconds > 0.0 && seconds <= MaxSamplingRate;
}

QString InvalidRateMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid sampling rate: it must be more than 0 and at most "
                          "86400 seconds.").arg(text);
}

ProgramSettings LoadSettings()
{
    ProgramSettings state;
    const auto settings = OpenSettings();
    if (settings->status() != QSettings::NoError)
        return state;
    if (const auto rate = ReadBinaryDouble(*settings, RateKey); rate && IsValidSamplingRate(*rate))
        state.RealTimeRate = static_cast<float>(*rate);
    if (const auto discard = ReadBinaryDouble(*settings, DiscardKey))
        state.DiscardFloatError = *discard != 0.0;
    return state;
}

void SaveSettings(const ProgramSettings& state)
{
    const auto settings = OpenSettings();
    settings->setValue(RateKey, BinaryDouble(static_cast<double>(state.RealTimeRate)));
    settings->setValue(DiscardKey, BinaryDouble(state.DiscardFloatError ? 1.0 : 0.0));
    settings->sync();
}
