#pragma once
#include "shell/ui/StringGrid.h"
#include "survey/ReportTable.h"

#include <QWidget>

class QPushButton;

// The cells of a report table as a grid shows them: the headings in words, then the rows.
class ReportTableCells : public GridCells {
    Q_OBJECT
public:
    void SetTable(ReportTable table);
    const ReportTable& Table() const { return table; }

    int RowCount() const override { return static_cast<int>(table.rows.size()) + 1; }
    int ColCount() const override { return static_cast<int>(table.columns.size()); }
    QString Cell(int col, int row) const override;

private:
    ReportTable table;
};

// One table of the Analysis window with its Copy and "Save as CSV…" buttons. The CSV is the one
// qx574 report writes ('.' as decimal separator, one decimal), saved whole or not at all.
class AnalysisTableView : public QWidget {
    Q_OBJECT
public:
    // name: the buttons' and grid's object names start with it ("Periods": PeriodsGrid, ...).
    AnalysisTableView(const QString& name, QWidget* parent = nullptr);

    void SetTable(ReportTable table);
    const ReportTable& Table() const { return cells.Table(); }

    void btnCopyClick();
    // True when a file was written; an error naming the file otherwise.
    bool btnSaveClick();

    StringGrid* Grid;
    QPushButton* btnCopy;
    QPushButton* btnSave;

private:
    ReportTableCells cells;
};
