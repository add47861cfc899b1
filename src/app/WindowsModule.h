#pragma once
// The window program and the drawing of report pages are a module of their own, loaded only
// when they are asked for, so that a command maps Qt Core and what it uses, never the windows.
// This header is shared by main() and the module. Qt Core only.
#include <QString>

#include <optional>

struct ReportDrawing;

// The module's entry points, under the names it exports them by.
using RunWindowProgramEntry = int (*)(int argc, char** argv);
using InstallReportDrawingEntry = void (*)(ReportDrawing& drawing);
inline constexpr char RunWindowProgramSymbol[] = "qx574_run_window_program";
inline constexpr char InstallReportDrawingSymbol[] = "qx574_install_report_drawing";

struct WindowsModule {
    RunWindowProgramEntry runWindowProgram = nullptr;
    InstallReportDrawingEntry installReportDrawing = nullptr;
};

// Loads the module from where an installation puts it, relative to the program's folder, or else
// from beside the program (its build folder); nothing, with a message naming the file, when it
// cannot be loaded. Once loaded, it stays for the life of the process.
std::optional<WindowsModule> LoadWindowsModule(QString* error);
