#pragma once
#include <QChar>
#include <QStringView>

// The plain number texts that text files carry, told apart from dates and times by their
// shape alone: an optional sign and ASCII digits...
bool IsWholeNumber(QStringView text);
// ... and such a whole number, the decimal separator and its decimals ("50.5", "50,5").
bool IsDecimalNumber(QStringView text, QChar decimalPoint);
