#pragma once
#include <QByteArray>
#include <QLocale>

// OneDecimalText's texts of many levels at the pace of a long file, appended as 8-bit text in
// the system's code page. A level is a float, so ten times it is exact in a double and rounding
// that gives the locale's own digit (halves away from zero); the locale is asked only where
// it writes other digits or signs than the arithmetic (a negative level, a non-Latin script).
class OneDecimalTexts {
public:
    explicit OneDecimalTexts(const QLocale& locale = QLocale::c());
    void Append(QByteArray& out, float value) const;

private:
    bool AppendQuick(QByteArray& out, float value) const;

    QLocale locale;
    QByteArray decimalPoint;
    bool quick = false;
};
