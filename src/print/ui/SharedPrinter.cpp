#include "print/ui/SharedPrinter.h"

#include <QPrinter>

QPrinter& SharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

std::unique_ptr<QPrinter> PrinterForOnePrintout()
{
    const QPrinter& shared = SharedPrinter();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(shared.outputFormat());
    if (shared.outputFormat() == QPrinter::NativeFormat)
        printer->setPrinterName(shared.printerName());
    printer->setOutputFileName(shared.outputFileName());
    printer->setResolution(shared.resolution());
    printer->setPageLayout(shared.pageLayout());
    printer->setColorMode(shared.colorMode());
    printer->setDuplex(shared.duplex());
    printer->setCopyCount(shared.copyCount());
    printer->setCollateCopies(shared.collateCopies());
    printer->setPrintRange(shared.printRange());
    printer->setFromTo(shared.fromPage(), shared.toPage());
    printer->setFullPage(shared.fullPage());
    printer->setDocName(shared.docName());
    return printer;
}
