#pragma once
#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <vector>

// What a string grid shows: cells addressed (column, row), row 0 being the fixed heading row.
class GridCells : public QAbstractTableModel {
    Q_OBJECT
public:
    virtual int RowCount() const = 0;  // the heading row included
    virtual int ColCount() const = 0;
    virtual QString Cell(int col, int row) const = 0;

    // The view shows rows 1.. as its rows and row 0 as its heading.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

// The cells of a string grid held as texts.
class StringGridModel : public GridCells {
    Q_OBJECT
public:
    int RowCount() const override { return static_cast<int>(cells.size()); }
    int ColCount() const override { return colCount; }
    void SetRowCount(int rows);
    void SetColCount(int cols);
    QString Cell(int col, int row) const override;
    void SetCell(int col, int row, const QString& text);
    // Every row, the heading first; a row may hold fewer cells than the columns (the rest are empty).
    const std::vector<QStringList>& Rows() const { return cells; }
    // Puts whole rows in from row `first` (1..) on, adding the rows that are missing, with one
    // notice to the view: what fills thousands of rows at a time.
    void SetRows(int first, std::vector<QStringList>&& rows);

private:
    std::vector<QStringList> cells{QStringList()};
    int colCount = 0;
};

// A grid of texts with one fixed heading row, as every table of the program shows one.
// Cells are addressed (column, row) with row 0 the heading; rows hold no widgets, so tens
// of thousands stay light.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    // A grid of its own texts.
    explicit StringGrid(int cols, int rows, QWidget* parent = nullptr);
    // A grid showing cells made elsewhere (say, from numbers, as they are shown); its own
    // setters below leave such cells alone.
    explicit StringGrid(GridCells& cells, QWidget* parent = nullptr);

    int RowCount() const { return shown->RowCount(); }
    int ColCount() const { return shown->ColCount(); }
    void SetRowCount(int rows) { texts.SetRowCount(rows); }
    void SetColCount(int cols) { texts.SetColCount(cols); }
    QString Cell(int col, int row) const { return shown->Cell(col, row); }
    void SetCell(int col, int row, const QString& text) { texts.SetCell(col, row, text); }
    void SetColWidth(int col, int width) { setColumnWidth(col, width); }
    // Widens a column to its widest text, never below its present width.
    void WidenToContents(int col) { setColumnWidth(col, std::max(columnWidth(col), sizeHintForColumn(col))); }
    // A copy of every row, the heading first, for work that must not see the grid change
    // under it; rows may hold fewer cells than the columns.
    std::vector<QStringList> Rows() const;
    void SetRows(int first, std::vector<QStringList>&& rows) { texts.SetRows(first, std::move(rows)); }
    // The selected grid row (1..), or 0 when none is.
    int SelectedRow() const;

signals:
    void CellClicked(int col, int row);

private:
    void SetUp();

    StringGridModel texts;
    GridCells* shown = &texts;
};
