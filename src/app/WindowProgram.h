#pragma once

// The window program on the transport its options choose: splash, main window, the files given
// opened; returns when the main window is closed, with the exit status.
int RunWindowProgram(int argc, char** argv);
