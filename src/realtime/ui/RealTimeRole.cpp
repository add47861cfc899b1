#include "realtime/ui/RealTimeRole.h"

#include "realtime/RealTimeRun.h"

RealTimeRole::RealTimeRole(RealTimeRun& run, std::function<void()> closed) : run(run), closed(std::move(closed)) {}

QString RealTimeRole::UnsavedQuestion() const
{
    return run.Unsaved ? QStringLiteral("Save Real-Time Graph ?") : QString();
}

void RealTimeRole::MarkSaved() { run.Unsaved = false; }

void RealTimeRole::Closed()
{
    run.Unsaved = false;
    run.Running = false;
    run.Count = 0;
    closed();
}

void RealTimeRole::Cleared() { run.Count = 0; }

bool RealTimeRole::ChooseRate(double rate)
{
    if (run.Running)
        return false;
    if (rate > 0.0)
        run.Rate = static_cast<float>(rate);
    return true;
}

double RealTimeRole::RateShown() const { return run.Rate; }
