#pragma once

class StringGrid;

// Prints a table as plain text on the shared printer, one grid row per line and every column
// but the last, after the print dialog. False when the dialog was cancelled or the printer
// could not be started (which is reported).
bool PrintTable(const StringGrid& grid);
