// Placing and erasing the user's marks on the graph window's chart.
#include "graph/ui/TfrmGraph.h"

#include "graph/Annotations.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmAnnoEdit.h"
#include "graph/ui/TfrmDelAnno.h"
#include "graph/ui/ToolCursors.h"
#include "shell/ui/Prompts.h"

#include <QLineEdit>

void TfrmGraph::PESGraph1Click()
{
    const int mode = Tools.ToolMode;
    if (mode != PlaceText && mode != PlaceCross)
        return;
    const QPoint at = PESGraph1->LastMousePos() + ToolPointerShift(mode);
    if (!PESGraph1->PlotArea().contains(at))
        return;
    const QPointF data = PESGraph1->PixelToData(at);
    GraphAnnotation mark{PlaceCross, data.x(), data.y(), QString(), PEargb(255, 198, 0, 0)};
    if (mode == PlaceText) {
        TfrmAnnoEdit dialog(this);
        if (CurrentPrompts().RunModal(dialog) != QDialog::Accepted)
            return;
        mark = {0, data.x(), data.y(), dialog.Edit1->text(), PEargb(255, 0, 0, 0)};
    }
    Tools.LastAnnotation =
        NextMarkIndex(PESGraph1->State().GraphAnnotations, Tools.LastAnnotation);
    PESGraph1->SetGraphAnnotation(Tools.LastAnnotation, mark);
    RedrawChart();
}

void TfrmGraph::ToolButton13Click()
{
    TfrmDelAnno dialog(this);
    const PESGraph& chart = *PESGraph1;
    dialog.List(ErasableMarks(chart.State().GraphAnnotations));
    if (CurrentPrompts().RunModal(dialog) != QDialog::Accepted)
        return;
    for (const int index : dialog.SelectedMarks()) {
        // An erased mark keeps its index but shows nothing.
        GraphAnnotation erased = PESGraph1->GraphAnnotationAt(index);
        erased.Type = 0;
        erased.Text.clear();
        PESGraph1->SetGraphAnnotation(index, erased);
    }
    RedrawChart();
}
