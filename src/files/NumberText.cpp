#include "files/NumberText.h"

#include <algorithm>

namespace {

bool AllDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QStringView WithoutSign(QStringView text)
{
    return text.startsWith(u'-') || text.startsWith(u'+') ? text.mid(1) : text;
}

}  // namespace

bool IsWholeNumber(QStringView text)
{
    return AllDigits(WithoutSign(text));
}

bool IsDecimalNumber(QStringView text, QChar decimalPoint)
{
    text = WithoutSign(text);
    const qsizetype point = text.indexOf(decimalPoint);
    return point > 0 && AllDigits(text.left(point)) && AllDigits(text.mid(point + 1));
}
