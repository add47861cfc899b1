#pragma once
#include <QLocale>
#include <QString>

#include <optional>

// Reads the date-time of many rows of date and time texts, as ReadDateTime reads the two
// joined by one space, at the pace of a list of a hundred thousand rows. Consecutive rows
// share their date, so a date text is read once; a time text is taken by its digits and
// accepted only when the locale writes that time back as the very same text. Anything else
// goes to the full reading. Blanks around a time, which the joined text would not take
// between its parts, are no harm.
class DateTimeReader {
public:
    explicit DateTimeReader(const QLocale& locale = QLocale());

    std::optional<double> Read(const QString& date, const QString& time);

private:
    std::optional<double> ReadDay(const QString& date);
    std::optional<double> ReadTimeOfDay(const QString& time) const;
    std::optional<int> QuickMsecs(const QString& time) const;

    QLocale locale;
    QString timeFormat;
    // Where hours, minutes and seconds come in the time format (0, 1, 2), or -1 when the
    // format is not one the quick reading knows.
    int hourAt = -1;
    int minuteAt = -1;
    int secondAt = -1;
    bool twelveHours = false;
    std::optional<QString> lastDate;
    std::optional<double> lastDay;
};
