#pragma once
#include <QString>

// What a graph window is for, beyond the points it shows. The real-time graph and the
// DataLogger window hold measurements that closing would lose, and Close, Clear and the
// sampling rate mean more for them; their owners give them a role of their own. A graph opened
// from a file or made from a list or another graph keeps this plain one.
class GraphRole {
public:
    enum class Kind { Graph, RealTime, DataLogger };

    virtual ~GraphRole() = default;
    virtual Kind WindowKind() const { return Kind::Graph; }

    // The question closing asks while the window holds measurements not saved yet; empty when
    // there are none.
    virtual QString UnsavedQuestion() const { return {}; }
    // A save took them.
    virtual void MarkSaved() {}
    // The window closed (whatever it held is gone with it).
    virtual void Closed() {}
    // Clear emptied the chart.
    virtual void Cleared() {}
    // The user chose a sampling rate in the window's box; false when it cannot be changed now
    // (the box then goes back to RateShown()).
    virtual bool ChooseRate(double) { return true; }
    virtual double RateShown() const { return 0.0; }
};
