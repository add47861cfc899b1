#include "graph/ui/ChartFile.h"

#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "graph/ui/PESGraph.h"
#include "shell/Folders.h"
#include "shell/ui/Prompts.h"

#include <QDir>

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
    CurrentPrompts().ShowError(block ? DamagedGraphFileText(path, reason) : error);
    return false;
}

bool SaveTemplate(const PESGraph& chart)
{
    const QString folder = WritableFilesFolder() + QStringLiteral("template/");
    if (!QDir().mkpath(folder)) {
        CurrentPrompts().ShowError(QStringLiteral("Cannot create ") + folder + QStringLiteral(" directory."));
        return false;
    }
    // A template is a look: the facts of the graph it was saved from stay with that graph.
    QString error;
    ChartState look = chart.State();
    look.Facts = {};
    if (WriteGraphBlock(TemplatePath(), StoreChartState(look), &error))
        return true;
    CurrentPrompts().ShowError(error);
    return false;
}

QString TemplatePath()
{
    return WritableFilesFolder() + QStringLiteral("template/graph.ghf");
}
