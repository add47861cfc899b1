#include "leq/NoiseReport.h"

#include "shell/Formats.h"

#include <QStringList>

namespace {

QString Field(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 1) : QString();
}

}  // namespace

QString NoiseReportHeader()
{
    return QStringLiteral("set,start,duration_s,valid_samples,leq_db,lmax_db,lmin_db,l5_db,"
                          "l10_db,l50_db,l90_db,l95_db,sel_db,lex8h_db,dose_pct,lden_db");
}

QString NoiseReportRow(int set, double start, const NoiseMetrics& m)
{
    const QStringList fields{
        QString::number(set),
        IsoDateTimeText(start),
        QString::number(m.seconds, 'f', 1),
        QString::number(m.validSamples),
        Field(m.leq), Field(m.lmax), Field(m.lmin),
        Field(m.l5), Field(m.l10), Field(m.l50), Field(m.l90), Field(m.l95),
        Field(m.sel), Field(m.lex8h), Field(m.dosePercent), Field(m.lden),
    };
    return fields.join(u',');
}
