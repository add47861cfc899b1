#pragma once

class QPrinter;

// The program's one printer, so that File > Printer Setup affects every later printout.
QPrinter& SharedPrinter();
