#include "leq/Weighting.h"

std::optional<QString> ExposureNotGivenReason(Weighting weighting)
{
    switch (weighting) {
    case Weighting::C:
        return QStringLiteral("the levels are C-weighted (dBC) and exposure needs A-weighted levels");
    case Weighting::Mixed:
        return QStringLiteral("the levels mix A- and C-weighting and exposure needs A-weighted levels");
    case Weighting::A:
    case Weighting::Unknown:
        break;
    }
    return std::nullopt;
}

QString WeightedName(const QString& name, Weighting weighting)
{
    const QChar letter = weighting == Weighting::A ? u'A' : weighting == Weighting::C ? u'C' : QChar();
    if (letter.isNull() || !name.startsWith(u'L'))
        return name;
    return name.left(1) + letter + name.mid(1);
}
