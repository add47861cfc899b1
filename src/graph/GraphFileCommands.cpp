#include "GraphFileCommands.h"

#include "AppState.h"
#include "ChartStateBlock.h"
#include "DataFolder.h"
#include "Folders.h"
#include "GraphFile.h"
#include "PESGraph.h"
#include "PrepareChart.h"
#include "Prompts.h"
#include "SaveFilters.h"
#include "TfrmGraph.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString DamagedText(const QString& path, const QString& reason)
{
    return QStringLiteral("The file %1 is not a valid graph file (%2).")
        .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

bool WriteGraphFile(const PESGraph& chart, const QString& path)
{
    QString error;
    if (WriteGraphBlock(path, chart.StoreState(), &error))
        return true;
    CurrentPrompts().ShowError(error);
    return false;
}

bool ReadGraphFile(PESGraph& chart, const QString& path)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    QString reason;
    if (block && chart.LoadState(*block, &reason))
        return true;
    CurrentPrompts().ShowError(block ? DamagedText(path, reason) : error);
    return false;
}

bool SaveTemplate(const PESGraph& chart)
{
    const QString folder = ProgramFolder() + QStringLiteral("template/");
    if (!QDir().mkpath(folder)) {
        CurrentPrompts().ShowError(QStringLiteral("Cannot create ") + folder + QStringLiteral(" directory."));
        return false;
    }
    return WriteGraphFile(chart, TemplatePath());
}

bool SaveGraph(TfrmGraph& window)
{
    QString selected;
    const QString chosen = CurrentPrompts().SaveFileName(
        QStringLiteral("Save As"), FileDialogFolder(), DialogFilters(GraphFileFilter()), &selected);
    const QString name = WithDefaultExtension(chosen, selected, QStringLiteral("GHF"));
    switch (KindOfGraphFileName(name)) {
    case GraphFileKind::Graph: return WriteGraphFile(*window.PESGraph1, name);
    case GraphFileKind::Tab: return ExportGraphText(*window.PESGraph1, name, u'\t');
    case GraphFileKind::Comma: return ExportGraphText(*window.PESGraph1, name, u',');
    case GraphFileKind::Other: break;
    }
    return false;
}

TfrmGraph* OpenGraphWindow(const QString& path)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    if (!block) {
        CurrentPrompts().ShowError(error);
        return nullptr;
    }
    // Checked before a window exists, so that a damaged file makes none.
    if (!LoadChartState(*block, &error)) {
        CurrentPrompts().ShowError(DamagedText(path, error));
        return nullptr;
    }
    auto* window = new TfrmGraph;
    window->setWindowTitle(QFileInfo(path).absoluteFilePath());
    window->PESGraph1->LoadState(*block);
    window->RefreshStatistics();
    window->PESGraph1->ReinitAndReset();
    return window;
}
