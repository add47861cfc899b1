#include "graph/ui/TfrmDelAnno.h"

#include "graph/Annotations.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TfrmDelAnno::TfrmDelAnno(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDelAnno"));
    setWindowTitle(QStringLiteral("Erase Annotation"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    StringGrid1 = new StringGrid(3, 2, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const char* headings[] = {"NO", "Time", "Contents"};
    const int widths[] = {50, 120, 200};
    for (int column = 0; column < 3; ++column) {
        StringGrid1->SetCell(column, 0, QString::fromLatin1(headings[column]));
        StringGrid1->SetColWidth(column, widths[column]);
    }
    BitBtn1 = new QPushButton(QStringLiteral("Delete"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setEnabled(false);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1);
    layout->addLayout(buttons);
    setFixedSize(420, 300);
}

void TfrmDelAnno::List(const std::vector<ErasableMark>& marks)
{
    StringGrid1->SetRowCount(std::max<int>(2, static_cast<int>(marks.size()) + 1));
    rowMarks.clear();
    for (const ErasableMark& mark : marks) {
        const int row = static_cast<int>(rowMarks.size()) + 1;
        StringGrid1->SetCell(0, row, QString::number(row));
        StringGrid1->SetCell(1, row, DateTimeText(mark.time));
        StringGrid1->SetCell(2, row, mark.contents);
        rowMarks.push_back(mark.index);
    }
    BitBtn1->setEnabled(!rowMarks.empty());
}

std::vector<int> TfrmDelAnno::SelectedMarks() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : StringGrid1->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<int> marks;
    for (const int row : rows) {
        if (row >= 0 && row < static_cast<int>(rowMarks.size()))
            marks.push_back(rowMarks[static_cast<std::size_t>(row)]);
    }
    return marks;
}
