#include "shell/OneDecimalTexts.h"

#include "shell/Formats.h"

#include <cmath>

OneDecimalTexts::OneDecimalTexts(const QLocale& locale)
    : locale(locale), decimalPoint(locale.decimalPoint().toLocal8Bit())
{
    // The arithmetic stands in for the locale only where it writes the very same texts.
    quick = true;
    for (const float sample : {0.0f, 0.04f, 0.05f, 0.35f, 9.95f, 85.25f, 123.45f, 99999.9f}) {
        QByteArray text;
        quick = AppendQuick(text, sample) && text == OneDecimalText(sample, locale).toLocal8Bit();
        if (!quick)
            break;
    }
}

void OneDecimalTexts::Append(QByteArray& out, float value) const
{
    if (!quick || !AppendQuick(out, value))
        out += OneDecimalText(value, locale).toLocal8Bit();
}

bool OneDecimalTexts::AppendQuick(QByteArray& out, float value) const
{
    if (!(value >= 0.0f && value < 1.0e9f))
        return false;
    auto tenths = static_cast<long long>(std::round(static_cast<double>(value) * 10.0));
    const int lastDigit = static_cast<int>(tenths % 10);
    tenths /= 10;
    char digits[16];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + tenths % 10);
        tenths /= 10;
    } while (tenths > 0);
    while (n > 0)
        out += digits[--n];
    out += decimalPoint;
    out += static_cast<char>('0' + lastDigit);
    return true;
}
