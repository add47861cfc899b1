#include "watch/WatchMeter.h"

#include "watch/MosquittoClient.h"
#include "watch/MqttFeed.h"
#include "watch/WatchSpool.h"
#include "watch/WatchWait.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// The spool of a meter unless --spool names one: in the user's data folder, one per meter.
QString DefaultSpool(const QString& serial)
{
    QString name = serial.isEmpty() ? QStringLiteral("meter") : serial;
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'_')
            c = u'_';
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/spool/watch-")
        + name + QStringLiteral(".spool");
}

}  // namespace

WatchEnd WatchMeter(WatchOptions options, const std::optional<MqttFeedRequest>& mqtt, LinkSequence& link,
                    const QString& serialNumber, const WatchMessages& tell)
{
    options.meter = serialNumber;
    SleepingWait wait;
    if (!mqtt)
        return RunWatch(options, link, tell, wait);
    WatchSpool spooled;
    QString error;
    const QString spoolPath = mqtt->spool.value_or(DefaultSpool(serialNumber));
    if (!spooled.Open(spoolPath, mqtt->spoolBytes, &error)) {
        tell(error);
        return WatchEnd::CannotWrite;
    }
    if (spooled.DamagedLines() > 0)
        tell(QStringLiteral("The spool %1 had %2 damaged lines; they were passed over.")
                 .arg(QDir::toNativeSeparators(spoolPath))
                 .arg(spooled.DamagedLines()));
    options.firstSeq = spooled.NextSeq();
    MosquittoClient client;
    MqttFeed feed({mqtt->target, serialNumber, QStringLiteral("574"), mqtt->haDiscovery, options.leqMs > 0}, spooled,
                  client, tell);
    return RunWatch(options, link, tell, wait, &feed);
}
