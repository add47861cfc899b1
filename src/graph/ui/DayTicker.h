#pragma once
#include <qcustomplot.h>

// Ticks for an axis of day counts: steps of whole seconds, minutes, hours or days, labelled
// with the time and, below it, the date in the user's formats.
class DayTicker : public QCPAxisTicker {
public:
    // The step in seconds for a visible span, aiming at no more than tickCount ticks.
    static double StepSeconds(double spanSeconds, int tickCount);

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

private:
    double stepSeconds = 1.0;
};
