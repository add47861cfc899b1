#pragma once

class StringGrid;

// Saves a table's rows as text: asks for the name (TXT by default; CSV offered unless the
// decimal separator is a comma), separates by comma when the name ends in "csv" and by TAB
// otherwise, and writes the rows the user chooses with progress and Cancel. Works on a copy
// of the cells. True when a file was written; an error names a file that cannot be written.
bool ExportGridText(const StringGrid& grid);
