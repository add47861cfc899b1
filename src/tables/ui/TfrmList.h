#pragma once
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class StringGrid;

// A list window: one table of rows read from a text file (row number, date, time, value and
// a second value), which "Output Tabular to graph" turns into a graph. The main window tells
// it from other child windows by its class name.
class TfrmList : public QWidget {
    Q_OBJECT
public:
    explicit TfrmList(QWidget* parent = nullptr);

    // Puts the window into the area as a child window that frees itself when closed, and
    // shows it.
    QMdiSubWindow* ShowInArea(QMdiArea* area);

    QString Caption() const { return windowTitle(); }

    // The headings "No", "Date", "Time", "Value" of row 0; an import may relabel the values.
    void FormCreate();

    // The line of the file that row 1 was read from: 2 when the file begins with headings.
    int firstLine = 1;

    // Controls, by their names
    StringGrid* Grid1;
};
