#pragma once

class QPrinter;

#include <memory>

// The program's one printer, so that File > Printer Setup affects every later printout. The
// print and printer-setup dialogs work on it.
QPrinter& SharedPrinter();

// A printer for one printout: the shared printer's choices (printer, output file, page, colour,
// copies, resolution) on a printer of its own, so that no printout inherits what an earlier one
// left in the printer (a graph's drawing shrank every later table's lines).
std::unique_ptr<QPrinter> PrinterForOnePrintout();
