// The main window's commands on tables and printing: text files opened into list windows, a
// list's output to a graph, Print for every kind of window.
#include "app/TfrmMain.h"

#include "graph/ui/PrintGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "print/ui/PrintTable.h"
#include "tables/ui/ImportText.h"
#include "tables/ui/OutputListToGraph.h"
#include "tables/ui/TfrmList.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

void TfrmMain::OpenTextFile(const QString& path)
{
    if (TfrmList* list = ImportText(path, QStringLiteral(".") + QFileInfo(path).suffix().toLower()))
        list->ShowInArea(mdiArea);
}

void TfrmMain::btnOutputToGraphClick()
{
    const QMdiSubWindow* current = mdiArea->currentSubWindow();
    const auto* list = current ? qobject_cast<const TfrmList*>(current->widget()) : nullptr;
    if (!list)
        return;
    if (TfrmGraph* graph = OutputListToGraph(*list, graphServices))
        graph->ShowInArea(mdiArea);
}

void TfrmMain::btnPrintClick()
{
    const QMdiSubWindow* current = mdiArea->currentSubWindow();
    QWidget* widget = current ? current->widget() : nullptr;
    if (auto* list = qobject_cast<TfrmList*>(widget))
        PrintTable(*list->Grid1);
    else if (auto* leq = qobject_cast<TfrmLEQ*>(widget))
        PrintTable(*leq->LEQGrid);
    else if (auto* graph = qobject_cast<TfrmGraph*>(widget))
        PrintGraph(*graph->PESGraph1);
}
