#include "leq/ui/LeqTableCells.h"

namespace {

const char* const Headings[] = {"No", "Date", "TIME", "SPL", "Leq"};

}  // namespace

LeqTableCells::LeqTableCells(const std::vector<LeqRow>& rows, QObject* parent) : rows(rows)
{
    setParent(parent);
}

QString LeqTableCells::Cell(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row > shownRows)
        return {};
    if (row == 0)
        return QString::fromLatin1(Headings[col]);
    return LeqRowCells(rows[static_cast<std::size_t>(row - 1)], row)[static_cast<std::size_t>(col)];
}

void LeqTableCells::RowsChanged()
{
    const int count = static_cast<int>(rows.size());
    if (count > shownRows) {
        beginInsertRows({}, shownRows, count - 1);
        shownRows = count;
        endInsertRows();
    } else if (count < shownRows) {
        beginResetModel();
        shownRows = count;
        endResetModel();
    }
}
