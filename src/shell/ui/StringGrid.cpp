#include "shell/ui/StringGrid.h"

#include <QHeaderView>

#include <algorithm>

void StringGridModel::SetRowCount(int rows)
{
    // Rows are added and removed at the end, so that a table growing by a row each second
    // costs the view that row only.
    rows = std::max(rows, 1);
    const int before = RowCount();
    if (rows > before) {
        beginInsertRows({}, before - 1, rows - 2);
        cells.resize(static_cast<std::size_t>(rows));
        endInsertRows();
    } else if (rows < before) {
        beginRemoveRows({}, rows - 1, before - 2);
        cells.resize(static_cast<std::size_t>(rows));
        endRemoveRows();
    }
}

void StringGridModel::SetColCount(int cols)
{
    beginResetModel();
    colCount = std::max(cols, 0);
    endResetModel();
}

QString StringGridModel::Cell(int col, int row) const
{
    if (row < 0 || row >= RowCount() || col < 0)
        return {};
    return cells[static_cast<std::size_t>(row)].value(col);
}

void StringGridModel::SetCell(int col, int row, const QString& text)
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount)
        return;
    QStringList& line = cells[static_cast<std::size_t>(row)];
    while (line.size() <= col)
        line.append(QString());
    line[col] = text;
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        emit dataChanged(index(row - 1, col), index(row - 1, col), {Qt::DisplayRole});
}

void StringGridModel::SetRows(int first, std::vector<QStringList>&& rows)
{
    if (first < 1 || first > RowCount() || rows.empty())
        return;
    const auto start = static_cast<std::size_t>(first);
    const std::size_t end = start + rows.size();
    const std::size_t kept = std::min(end, cells.size());
    for (std::size_t row = start; row < kept; ++row)
        cells[row] = std::move(rows[row - start]);
    if (kept > start)
        emit dataChanged(index(first - 1, 0), index(static_cast<int>(kept) - 2, std::max(colCount - 1, 0)));
    if (end > cells.size()) {
        beginInsertRows({}, static_cast<int>(cells.size()) - 1, static_cast<int>(end) - 2);
        for (std::size_t row = kept; row < end; ++row)
            cells.push_back(std::move(rows[row - start]));
        endInsertRows();
    }
}

int GridCells::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount() - 1;
}

int GridCells::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount();
}

QVariant GridCells::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return Cell(index.column(), index.row() + 1);
}

QVariant GridCells::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return Cell(section, 0);
}

StringGrid::StringGrid(int cols, int rows, QWidget* parent) : QTableView(parent)
{
    texts.SetColCount(cols);
    texts.SetRowCount(rows);
    SetUp();
}

StringGrid::StringGrid(GridCells& cells, QWidget* parent) : QTableView(parent), shown(&cells)
{
    SetUp();
}

void StringGrid::SetUp()
{
    setModel(shown);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTableView::clicked, this,
            [this](const QModelIndex& index) { emit CellClicked(index.column(), index.row() + 1); });
}

int StringGrid::SelectedRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

std::vector<QStringList> StringGrid::Rows() const
{
    if (shown == &texts)
        return texts.Rows();
    std::vector<QStringList> rows(static_cast<std::size_t>(RowCount()));
    for (int row = 0; row < RowCount(); ++row)
        for (int col = 0; col < ColCount(); ++col)
            rows[static_cast<std::size_t>(row)].append(Cell(col, row));
    return rows;
}
