#pragma once
#include "graph/ui/GraphRole.h"

#include <functional>

struct RealTimeRun;

// The real-time graph's role: its run's samples are what closing would lose; Clear starts the
// count again; the rate box sets the run's rate, except while it runs.
class RealTimeRole final : public GraphRole {
public:
    // closed: told once the window has closed (its run, if one was going, ended with it).
    RealTimeRole(RealTimeRun& run, std::function<void()> closed);

    Kind WindowKind() const override { return Kind::RealTime; }
    QString UnsavedQuestion() const override;
    void MarkSaved() override;
    void Closed() override;
    void Cleared() override;
    bool ChooseRate(double rate) override;
    double RateShown() const override;

private:
    RealTimeRun& run;
    std::function<void()> closed;
};
