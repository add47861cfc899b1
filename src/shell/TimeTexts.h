#pragma once
#include <QByteArray>
#include <QLocale>
#include <QString>

#include <vector>

// TimeText's texts of many day counts at the pace of a long file, appended as 8-bit text in
// the system's code page. The locale's time format is read once into its pieces (hours,
// minutes, seconds, AM/PM, literal text), which are then filled by arithmetic; a format or
// a script the pieces would not write exactly as the locale does is left to the locale.
class TimeTexts {
public:
    explicit TimeTexts(const QLocale& locale = QLocale());
    void Append(QByteArray& out, double days) const;

private:
    struct Piece {
        enum Kind { Text, Hour12, Hour24, Minute, Second, AmPm } kind = Text;
        bool twoDigits = false;
        QByteArray text;  // of a Text piece
    };
    bool ReadFormat(const QString& format);
    void AppendQuick(QByteArray& out, int secondOfDay) const;

    QLocale locale;
    std::vector<Piece> pieces;
    QByteArray am;
    QByteArray pm;
    bool quick = false;
};
