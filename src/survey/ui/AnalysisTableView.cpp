#include "survey/ui/AnalysisTableView.h"

#include "files/ui/AskSaveFileName.h"
#include "shell/SaveFile.h"
#include "shell/ui/Prompts.h"
#include "survey/ShownTable.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

void ReportTableCells::SetTable(ReportTable newTable)
{
    beginResetModel();
    table = std::move(newTable);
    endResetModel();
}

QString ReportTableCells::Cell(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    if (row == 0)
        return ColumnHeading(table, col);
    const std::vector<ReportCell>& cells = table.rows[static_cast<std::size_t>(row - 1)];
    return static_cast<std::size_t>(col) < cells.size() ? ShownCell(cells[static_cast<std::size_t>(col)]) : QString();
}

AnalysisTableView::AnalysisTableView(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name + QStringLiteral("Table"));
    Grid = new StringGrid(cells, this);
    Grid->setObjectName(name + QStringLiteral("Grid"));
    Grid->verticalHeader()->hide();
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    btnCopy = new QPushButton(QStringLiteral("Copy"), this);
    btnCopy->setObjectName(QStringLiteral("btn") + name + QStringLiteral("Copy"));
    btnCopy->setToolTip(QStringLiteral("The table to the clipboard, for a spreadsheet"));
    btnSave = new QPushButton(QStringLiteral("Save as CSV\u2026"), this);
    btnSave->setObjectName(QStringLiteral("btn") + name + QStringLiteral("Save"));
    connect(btnCopy, &QPushButton::clicked, this, &AnalysisTableView::btnCopyClick);
    connect(btnSave, &QPushButton::clicked, this, &AnalysisTableView::btnSaveClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnSave);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons);
}

void AnalysisTableView::SetTable(ReportTable table)
{
    cells.SetTable(std::move(table));
    // Widths from the heading and the first row: measuring every row of a long table is slow.
    const QFontMetrics metrics = Grid->fontMetrics();
    for (int col = 0; col < cells.ColCount(); ++col) {
        const int text = std::max(metrics.horizontalAdvance(cells.Cell(col, 0)),
                                  std::min(metrics.horizontalAdvance(cells.Cell(col, 1)), 600));
        Grid->setColumnWidth(col, std::max(70, text + 16));
        Grid->setColumnHidden(col, !ColumnShown(cells.Table(), col));
    }
}

void AnalysisTableView::btnCopyClick()
{
    QApplication::clipboard()->setText(TableCopyText(Table()));
}

bool AnalysisTableView::btnSaveClick()
{
    const QString path =
        AskSaveFileName(QStringLiteral("Save as CSV"), QStringLiteral("CSV file(*.csv)|*.csv"), QStringLiteral("csv"));
    if (path.isEmpty())
        return false;
    QString why;
    if (!SaveWholeFile(path, TableCsv(Table()), &why)) {
        CurrentPrompts().ShowError(
            QStringLiteral("The table could not be saved as %1: %2").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}
