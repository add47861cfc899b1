#include "ExportGraphText.h"

#include "GraphText.h"
#include "PESGraph.h"
#include "Prompts.h"
#include "TfrmScope.h"

#include <QCoreApplication>
#include <QDir>
#include <QRadioButton>
#include <QLineEdit>
#include <QSaveFile>

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

bool ExportGraphText(const PESGraph& chart, const QString& fileName, QChar separator)
{
    bool cancelled = false;
    const std::optional<ExportRange> range = AskRange(chart.Points(), &cancelled);
    if (cancelled)
        return false;
    if (!range) {
        CurrentPrompts().ShowError(QStringLiteral("invalid integer"));
        return false;
    }

    TfrmScope progress;
    progress.ShowProgress(QStringLiteral("Saving Progress"), QStringLiteral("saving....."),
                          std::max(0, range->to - range->from + 1));
    QSaveFile file(fileName);
    int written = -1;
    if (file.open(QIODevice::WriteOnly)) {
        written = WriteGraphTextLines(file, chart.XSubset(0), chart.YSubset(0), chart.Points(), *range,
                                      separator, [&progress](int lines) {
                                          if (lines % LinesPerProgressStep == 0) {
                                              progress.SetPosition(lines);
                                              QCoreApplication::processEvents();
                                          }
                                          return !progress.CancelPressed();
                                      });
    }
    progress.close();
    if (written < 0 || !file.commit()) {
        file.cancelWriting();
        CurrentPrompts().ShowError(
            QStringLiteral("Cannot write the file %1.").arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    return true;
}
