#include "graph/ui/PrintGraph.h"

#include "graph/ui/PESGraph.h"

#include <QSignalBlocker>

bool PrintGraph(PESGraph& chart)
{
    ChartState& state = chart.State();
    const bool titles = state.AllowTitlesDialog;
    const bool subsets = state.AllowSubsetsPage;
    state.AllowTitlesDialog = false;
    state.AllowSubsetsPage = false;
    {
        // Whoever hears of the closed dialog may store the chart as the template; it must
        // store the chart with its pages, not the printout's few.
        const QSignalBlocker quiet(&chart);
        chart.Customize();
    }
    state.AllowTitlesDialog = titles;
    state.AllowSubsetsPage = subsets;
    emit chart.OnCustomizeDlg();
    return chart.PrintDialog();
}
