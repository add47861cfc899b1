#pragma once
#include <QDialog>

class QPushButton;
class StringGrid;
class TfrmGraph;

// The exclusions of a graph window, one row each with its span and reason; Remove takes the
// selected one out of the graph's survey at once.
class TfrmExclusions : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExclusions(TfrmGraph& graph, QWidget* parent = nullptr);

    // Refills the rows from the graph.
    void Fill();
    void btnRemoveClick();

    StringGrid* ExclusionsGrid;
    QPushButton* btnRemove;
    QPushButton* btnClose;

private:
    TfrmGraph& graph;
};
