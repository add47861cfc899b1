#include "recording/FileKind.h"

#include <QFileInfo>

FileKind KindOfFileName(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("rec"))
        return FileKind::Collection;
    if (suffix == QLatin1String("ghf"))
        return FileKind::Graph;
    if (suffix == QLatin1String("qxs"))
        return FileKind::Survey;
    if (suffix == QLatin1String("txt"))
        return FileKind::TabText;
    if (suffix == QLatin1String("csv"))
        return FileKind::CommaText;
    return FileKind::Other;
}

bool IsKnownFileName(const QString& name) { return KindOfFileName(name) != FileKind::Other; }
