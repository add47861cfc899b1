#pragma once
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

// Gives a new child window the size its contents want, but no more than the area's visible
// part, and puts it in the middle of that part: no row or button of it opens out of sight.
void PlaceInArea(QMdiSubWindow& window, const QMdiArea& area, QSize contents);
