#include "print/ui/PrintTable.h"

#include "print/TablePrintout.h"
#include "print/ui/SharedPrinter.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

// FixedSys where the system has it; elsewhere the font substitution picks a fixed-pitch face,
// which the padded columns need to line up.
QFont PrintoutFont()
{
    QFont font(QStringLiteral("FixedSys"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QString PrinterShown(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName()
                                              : QDir::toNativeSeparators(printer.outputFileName());
}

}  // namespace

bool PrintTable(const StringGrid& grid)
{
    if (!CurrentPrompts().PrintDialog(SharedPrinter()))
        return false;
    const std::unique_ptr<QPrinter> job = PrinterForOnePrintout();
    QPrinter& printer = *job;
    QPainter painter;
    if (!painter.begin(&printer)) {
        CurrentPrompts().ShowError(QStringLiteral("Cannot print to %1.").arg(PrinterShown(printer)));
        return false;
    }
    painter.setFont(PrintoutFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.size(0, QStringLiteral("String Grid Printout")).height() + 4;
    const std::vector<PrintedPage> pages =
        LayOutTablePrintout(grid.Rows(), grid.ColCount(), lineHeight, printer.height());
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0)
            printer.newPage();
        // A line is placed by its top; the painter writes on the base line.
        for (const PrintedLine& line : pages[page])
            painter.drawText(1, line.y + metrics.ascent(), line.text);
    }
    return painter.end();
}
