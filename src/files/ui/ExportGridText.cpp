#include "files/ui/ExportGridText.h"

#include "files/GridText.h"
#include "files/SaveFilters.h"
#include "files/ui/AskSaveFileName.h"
#include "files/ui/RunTextExport.h"
#include "shell/ui/StringGrid.h"

bool ExportGridText(const StringGrid& grid)
{
    const QString name = AskSaveFileName(QStringLiteral("Save As"), GridFileFilter(), QStringLiteral("TXT"));
    if (name.isEmpty())
        return false;
    const QChar separator = name.right(3).toLower() == QStringLiteral("csv") ? u',' : u'\t';
    // Window messages run while the file is written; the table may change or close meanwhile.
    const std::vector<QStringList> rows = grid.Rows();
    const int columns = grid.ColCount();
    return RunTextExport(name, static_cast<int>(rows.size()) - 1,
                         [&](QIODevice& file, ExportRange range, const std::function<bool(int)>& keepGoing) {
                             return WriteGridTextLines(file, rows, columns, range, separator, keepGoing);
                         });
}
