#include "files/ui/RunTextExport.h"

#include "files/ui/TfrmScope.h"
#include "shell/SaveFile.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

namespace {

// Letting the window system run after every line would cost more than the writing.
constexpr int LinesPerProgressStep = 500;

std::optional<ExportRange> AskRange(int lastItem, bool* cancelled)
{
    TfrmScope scope;
    scope.ShowRangeChoice(QStringLiteral("Save File"), lastItem);
    *cancelled = CurrentPrompts().RunModal(scope) != QDialog::Accepted;
    if (*cancelled)
        return std::nullopt;
    return ChooseExportRange(scope.radAll->isChecked(), scope.edtSelFrom->text(),
                             scope.edtSelTo->text(), lastItem);
}

}  // namespace

bool RunTextExport(const QString& fileName, int lastItem, const TextExportWriter& write)
{
    bool cancelled = false;
    const std::optional<ExportRange> range = AskRange(lastItem, &cancelled);
    if (cancelled)
        return false;
    if (!range) {
        CurrentPrompts().ShowError(QStringLiteral("invalid integer"));
        return false;
    }

    // Window messages run between the lines, with the caller's window (and the chart a graph
    // export reads) on the stack: a window closed meanwhile closes once the file is saved. The
    // user asked for the save; only Cancel abandons it.
    const LongTask task;
    TfrmScope progress;
    progress.setWindowModality(Qt::ApplicationModal);
    progress.ShowProgress(QStringLiteral("Saving Progress"), QStringLiteral("saving....."),
                          std::max(0, range->to - range->from + 1));
    SaveFile file(fileName);
    int written = -1;
    if (file.Open()) {
        written = write(file.Device(), *range, [&progress, &cancelled](int lines) {
            if (lines % LinesPerProgressStep == 0) {
                progress.SetPosition(lines);
                QCoreApplication::processEvents();
            }
            cancelled = progress.CancelPressed();
            return !cancelled;
        });
    }
    progress.close();
    // A cancelled export is not a save: the previous file stays as it was.
    if (cancelled)
        return false;
    if (written < 0 || !file.Commit()) {
        CurrentPrompts().ShowError(
            QStringLiteral("Cannot write the file %1.").arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    return true;
}
