#pragma once
#include <QCursor>
#include <QPoint>

// The pointer of the cross tool: a 32 x 32 diagonal cross centred at (15, 15), hot spot (0, 0).
QCursor CrossCursor();
// The pointer of the text tool: an I-beam whose middle is at (1, 7), hot spot (0, 0).
QCursor TextCursor();

// How far a tool's pointer's visible middle lies from its hot spot: marks go there.
QPoint ToolPointerShift(int toolMode);
