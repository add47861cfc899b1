#pragma once
#include <QChar>
#include <QString>

class PESGraph;

// Writes the chart's points as text lines over a range the user chooses, with a progress
// window that can cancel. True when a file was written; an error naming the file otherwise.
bool ExportGraphText(const PESGraph& chart, const QString& fileName, QChar separator);
