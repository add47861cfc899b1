#pragma once

class QWidget;

// What a user's double click delivers to a widget: press, release, double click, release.
void DoubleClick(QWidget* widget);
