#include "shell/Settings.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QSettings>

#include <cstring>

#include <cmath>

#include <gtest/gtest.h>

namespace {

QByteArray Binary(double value) { return QByteArray(reinterpret_cast<const char*>(&value), 8); }

double StoredDouble(const QString& file, const QString& key)
{
    QSettings settings(file, QSettings::IniFormat);
    const QByteArray bytes = settings.value(key).toByteArray();
    double value = -1.0;
    if (bytes.size() == 8)
        std::memcpy(&value, bytes.constData(), 8);
    return value;
}

struct StoredCase {
    const char* name;
    QVariant rate;        // invalid: not written
    QVariant discard;
    float expectedRate;
    bool expectedDiscard;
};

}  // namespace

TEST(Settings, ReadsOnlyEightByteBinaryDoubles)
{
    const StoredCase cases[] = {
        {"nothing stored", {}, {}, 0.2f, true},
        {"both stored", Binary(1.5), Binary(0.0), 1.5f, false},
        {"nonzero discard is on", Binary(0.5), Binary(-2.0), 0.5f, true},
        {"4-byte integer rate", QVariant(qint32(3)), Binary(0.0), 0.2f, false},
        {"text values", QVariant(QStringLiteral("2.0")), QVariant(QStringLiteral("0")), 0.2f, true},
        {"4-byte binary", QByteArray(4, '\x01'), QByteArray(9, '\0'), 0.2f, true},
        // Rates no run can use fall back to the default too.
        {"huge rate", Binary(1e300), {}, 0.2f, true},
        {"rate not a number", Binary(std::nan("")), {}, 0.2f, true},
        {"zero rate", Binary(0.0), {}, 0.2f, true},
        {"negative rate", Binary(-1.0), {}, 0.2f, true},
        {"a day per sample", Binary(86400.0), {}, 86400.0f, true},
        {"saved slow rate", Binary(45.0), {}, 45.0f, true},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment env;
        {
            QSettings settings(env.SettingsFile(), QSettings::IniFormat);
            if (c.rate.isValid())
                settings.setValue("RealTimeRate", c.rate);
            if (c.discard.isValid())
                settings.setValue("discard_float_error", c.discard);
        }
        const ProgramSettings loaded = LoadSettings();
        EXPECT_FLOAT_EQ(loaded.RealTimeRate, c.expectedRate);
        EXPECT_EQ(loaded.DiscardFloatError, c.expectedDiscard);
    }
}

TEST(Settings, UnreadableStoreGivesTheDefaults)
{
    TestEnvironment env;
    QDir().mkpath(env.SettingsFile());  // a folder where the store's file should be
    const ProgramSettings loaded = LoadSettings();
    EXPECT_FLOAT_EQ(loaded.RealTimeRate, 0.2f);
    EXPECT_TRUE(loaded.DiscardFloatError);
    SaveSettings({3.0f, false});  // a failed write is ignored
}

TEST(Settings, WritesBothAsEightByteDoublesAndReadsThemBack)
{
    TestEnvironment env;
    SaveSettings({0.1f, false});
    EXPECT_DOUBLE_EQ(StoredDouble(env.SettingsFile(), "RealTimeRate"), double(0.1f));
    EXPECT_DOUBLE_EQ(StoredDouble(env.SettingsFile(), "discard_float_error"), 0.0);

    const ProgramSettings loaded = LoadSettings();
    EXPECT_FLOAT_EQ(loaded.RealTimeRate, 0.1f);
    EXPECT_FALSE(loaded.DiscardFloatError);
}
