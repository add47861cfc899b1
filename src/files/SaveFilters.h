#pragma once
#include <QLocale>
#include <QString>

// The graph save and open filter in its stored "text|pattern|text|pattern" form; the CSV
// entry is left out when the decimal separator is a comma.
QString GraphFileFilter(const QLocale& locale = QLocale());

// The survey file's entry, in the same stored form: graph windows offer it after their graph
// filter, for their exclusions and analysis settings.
QString SurveyFileFilter();

// The filter for saving a table as text, in the same stored form; again no CSV entry when
// the decimal separator is a comma.
QString GridFileFilter(const QLocale& locale = QLocale());

// The same filter as a file dialog takes it: "text (pattern)" entries joined by ";;",
// every pattern offered in lower case too.
QString DialogFilters(const QString& storedFilter);

// A name typed without an extension gets the one of the chosen filter, else defaultExtension.
QString WithDefaultExtension(const QString& name, const QString& selectedFilter,
                             const QString& defaultExtension);
