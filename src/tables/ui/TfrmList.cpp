#include "tables/ui/TfrmList.h"

#include "shell/ui/PlaceInArea.h"
#include "shell/ui/StringGrid.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmList::TfrmList(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmList"));
    Grid1 = new StringGrid(7, 2, this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setDefaultSectionSize(18);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Grid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grid1);
    FormCreate();
}

void TfrmList::FormCreate()
{
    // Written at creation rather than at the first showing: an import fills and relabels the
    // list before its window is shown.
    const char* headings[] = {"No", "Date", "Time", "Value"};
    for (int column = 0; column < 4; ++column)
        Grid1->SetCell(column, 0, QString::fromLatin1(headings[column]));
}

QMdiSubWindow* TfrmList::ShowInArea(QMdiArea* area)
{
    QMdiSubWindow* window = area->addSubWindow(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    // Wide enough for every column, and twenty rows high.
    int width = Grid1->frameWidth() * 2 + Grid1->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < Grid1->ColCount(); ++column)
        width += Grid1->columnWidth(column);
    const int height = Grid1->frameWidth() * 2 + Grid1->horizontalHeader()->sizeHint().height() + 20 * Grid1->verticalHeader()->defaultSectionSize();
    PlaceInArea(*window, *area, QSize(width, height));
    return window;
}
