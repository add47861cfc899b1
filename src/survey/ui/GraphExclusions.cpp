#include "survey/ui/GraphExclusions.h"

#include "graph/ui/TfrmGraph.h"
#include "recording/RecordingInterval.h"
#include "shell/Formats.h"
#include "shell/ui/Prompts.h"
#include "survey/CursorSpan.h"
#include "survey/ui/TfrmExclusionReason.h"
#include "survey/ui/TfrmExclusions.h"

void ExcludeBetweenGraphCursors(TfrmGraph& graph)
{
    const Recording& recording = graph.ShownRecording();
    const auto [cursorA, cursorB] = graph.CursorPoints();
    const std::optional<Exclusion> span =
        ExclusionBetweenCursors(recording.Times(), cursorA, cursorB, IntervalOf(recording).seconds, QString());
    if (!span) {
        CurrentPrompts().ShowMessage(QStringLiteral("The graph holds no points between the cursors to exclude."));
        return;
    }
    TfrmExclusionReason dialog(QStringLiteral("From %1 to %2").arg(DateTimeText(span->from), DateTimeText(span->to)),
                               &graph);
    if (CurrentPrompts().RunModal(dialog) != QDialog::Accepted || dialog.Reason().isEmpty())
        return;
    graph.AddExclusion({span->from, span->to, dialog.Reason()});
}

void ShowGraphExclusions(TfrmGraph& graph)
{
    TfrmExclusions list(graph.Session(), graph.Caption(), [&graph](std::size_t i) { graph.RemoveExclusion(i); }, &graph);
    CurrentPrompts().RunModal(list);
}
