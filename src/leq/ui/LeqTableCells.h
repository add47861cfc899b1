#pragma once
#include "leq/LeqMeasurement.h"
#include "shell/ui/StringGrid.h"

#include <vector>

// The LEQ window's table as its grid shows it: the heading, then one row per completed second
// read from the window's rows, each cell made only when it is shown, so that a day of seconds
// takes no more than the rows themselves.
class LeqTableCells : public GridCells {
    Q_OBJECT
public:
    explicit LeqTableCells(const std::vector<LeqRow>& rows, QObject* parent = nullptr);

    int RowCount() const override { return shownRows + 1; }
    int ColCount() const override { return 5; }
    QString Cell(int col, int row) const override;

    // Tells the grid that rows were added to the end, or that the rows were cleared.
    void RowsChanged();

private:
    const std::vector<LeqRow>& rows;
    int shownRows = 0;  // the rows the grid knows of
};
