#pragma once
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class StringGrid;
class TfrmGraph;

// The noise metrics of one graph window: of the whole graph and of the points between its
// cursors A and B, following the cursors as they move. It belongs to its graph and closes
// with it.
class TfrmNoiseMetrics : public QWidget {
    Q_OBJECT
public:
    explicit TfrmNoiseMetrics(TfrmGraph& source, QWidget* parent = nullptr);

    TfrmGraph* Source() const;

    // Computes both columns again from the graph as it is now.
    void Recompute();
    // Copy: both columns on the clipboard as TAB-separated text.
    void btnCopyClick();

    QLabel* lblGraph;
    QLabel* lblOffset;  // says that the levels include the survey's calibration offset, when it has one
    QLabel* lblInterval;
    QLabel* lblCursors;
    QLabel* lblExposure;  // why LEX,8h and the dose are empty, when they are
    StringGrid* MetricsGrid;
    QPushButton* btnCopy;

private:
    QPointer<TfrmGraph> source;
    QString copyText;
};

// "Noise Metrics" of a graph window: its metrics window, made beside it in the same area or
// brought back when it has one.
TfrmNoiseMetrics& ShowNoiseMetrics(TfrmGraph& source);
