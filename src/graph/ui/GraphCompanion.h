#pragma once
#include <QSize>

#include <functional>

class QWidget;
class TfrmGraph;

// A window that belongs to one graph window (its noise metrics, its analysis): made beside it
// in the same area, closed with it, and brought back rather than made twice.

// The graph's companion that belongs() picks out among the area's windows (or the top-level
// ones when the graph is in no area); none when it has none.
QWidget* FindGraphCompanion(const TfrmGraph& source, const std::function<bool(QWidget*)>& belongs);
// Shows a found companion again, in front.
void RaiseGraphCompanion(const TfrmGraph& source, QWidget& companion);
// Shows a new companion at the given size; it frees itself when closed and closes with the graph.
void ShowGraphCompanion(TfrmGraph& source, QWidget& companion, QSize size);
