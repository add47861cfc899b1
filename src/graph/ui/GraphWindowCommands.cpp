#include "graph/ui/GraphWindowCommands.h"

#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "files/SaveFilters.h"
#include "files/ui/AskSaveFileName.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/ui/Prompts.h"

#include <QDir>
#include <QFileInfo>

bool SaveGraph(TfrmGraph& window)
{
    const QString name =
        AskSaveFileName(QStringLiteral("Save As"), GraphFileFilter(), QStringLiteral("GHF"));
    if (name.isEmpty())
        return false;
    switch (KindOfGraphFileName(name)) {
    case GraphFileKind::Graph: return WriteGraphFile(*window.PESGraph1, name);
    case GraphFileKind::Tab: return ExportGraphText(*window.PESGraph1, name, u'\t');
    case GraphFileKind::Comma: return ExportGraphText(*window.PESGraph1, name, u',');
    case GraphFileKind::Other: break;
    }
    // A graph is saved only as a graph file or text: the user is told that nothing was.
    CurrentPrompts().ShowError(QStringLiteral("Nothing was saved: %1 is not a graph (.ghf), text (.txt) or CSV "
                                              "(.csv) file name.")
                                   .arg(QDir::toNativeSeparators(name)));
    return false;
}

TfrmGraph* OpenGraphWindow(const QString& path, const GraphServices& services)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    if (!block) {
        CurrentPrompts().ShowError(error);
        return nullptr;
    }
    // Checked before a window exists, so that a damaged file makes none.
    if (!LoadChartState(*block, &error)) {
        CurrentPrompts().ShowError(DamagedGraphFileText(path, error));
        return nullptr;
    }
    auto* window = new TfrmGraph(services);
    window->setWindowTitle(QFileInfo(path).absoluteFilePath());
    window->PESGraph1->LoadState(*block);
    window->RefreshStatistics();
    window->PESGraph1->ReinitAndReset();
    return window;
}
