#pragma once
#include <memory>

class QCoreApplication;

// An application object that draws without a display and without widgets (a report written by
// a script or a scheduled job): Qt's "offscreen" platform, chosen before the object exists.
std::unique_ptr<QCoreApplication> MakeOffscreenApplication(int& argc, char** argv);
