#pragma once
#include <QCursor>

// The pointer of the cross tool: a 32 x 32 diagonal cross centred at (15, 15), hot spot (0, 0).
QCursor CrossCursor();
