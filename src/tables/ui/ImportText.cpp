#include "tables/ui/ImportText.h"

#include "files/ImportTextLines.h"
#include "files/OpenInputFile.h"
#include "files/ui/TfrmScope.h"
#include "shell/ProgressPace.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"
#include "tables/ui/TfrmList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

constexpr int ProgressSteps = 1000;

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

int ReadPart(const QFile& file)
{
    const qint64 size = file.size();
    return size > 0 ? static_cast<int>(file.pos() * ProgressSteps / size) : ProgressSteps;
}

}  // namespace

TfrmList* ImportText(const QString& path, const QString& extension)
{
    const QChar separator = extension.toLower().endsWith(QStringLiteral("csv")) ? u',' : u'\t';
    QFile file;
    QString refused;
    if (!OpenInputFile(file, path, InputKinds::RegularFiles, &refused)) {
        CurrentPrompts().ShowError(refused);
        return nullptr;
    }
    // Window messages run between the rows, with the caller's window on the stack: a window
    // closed meanwhile ends the import as Cancel does and closes once it has returned.
    const LongTask task;
    auto window = std::make_unique<TfrmList>();
    window->setWindowTitle(QFileInfo(path).absoluteFilePath());
    StringGrid& grid = *window->Grid1;
    const int fields = grid.ColCount() - 1;
    grid.setUpdatesEnabled(false);

    TfrmScope progress;
    progress.setWindowModality(Qt::ApplicationModal);
    progress.ShowProgress(QStringLiteral("Open Progress"), QStringLiteral("0"), ProgressSteps);
    progress.setResult(-1);
    // Rows reach the grid a batch at a time, whenever the window system runs.
    std::vector<QStringList> batch;
    int nextRow = 1;
    const auto putBatch = [&] {
        const int count = static_cast<int>(batch.size());
        grid.SetRows(nextRow, std::move(batch));
        nextRow += count;
        batch.clear();
    };
    ProgressPace pace;
    bool cancelled = false;
    QStringList headings;
    const int rows = ReadImportRows(file, separator, fields, [&](int row, QStringList& cells) {
        if (progress.CancelPressed() || task.StopAsked()) {
            cancelled = true;
            return false;
        }
        if (pace.Due(row)) {
            putBatch();
            progress.SetStatus(QString::number(row));
            progress.SetPosition(ReadPart(file));
            QCoreApplication::processEvents();
        }
        cells.prepend(QString::number(row));
        batch.push_back(std::move(cells));
        return true;
    }, QLocale(), &headings);
    putBatch();
    progress.SetStatus(QString::number(rows));
    progress.close();
    grid.setUpdatesEnabled(true);

    if (file.error() != QFileDevice::NoError) {
        CurrentPrompts().ShowError(QStringLiteral("Cannot read the file %1.").arg(Shown(path)));
        return nullptr;
    }
    if (rows == 0) {
        if (!cancelled)
            CurrentPrompts().ShowError(QStringLiteral("The file %1 holds no data.").arg(Shown(path)));
        return nullptr;
    }
    if (!headings.isEmpty()) {
        window->firstLine = 2;
        for (int column = 1; column <= static_cast<int>(headings.size()); ++column)
            grid.SetCell(column, 0, headings[column - 1]);
    } else if (!grid.Cell(4, 1).isEmpty()) {
        // A second value in column 4 comes from the LEQ window's table.
        grid.SetCell(3, 0, QStringLiteral("SPL"));
        grid.SetCell(4, 0, QStringLiteral("Leq"));
    }
    grid.viewport()->update();
    return window.release();
}
