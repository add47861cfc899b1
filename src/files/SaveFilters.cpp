#include "files/SaveFilters.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

QString GraphFileFilter(const QLocale& locale)
{
    QString filter = QStringLiteral(
        "Graph file(*.ghf,only for QX574)|*.GHF|TXT file(*.txt,data seperated by tab)|*.TXT");
    if (locale.decimalPoint() != QStringLiteral(","))
        filter += QStringLiteral("|EXCEL file format(*.CSV,seperated by comma)|*.CSV");
    return filter;
}

QString SurveyFileFilter()
{
    return QStringLiteral("Survey(*.qxs)|*.qxs");
}

QString GridFileFilter(const QLocale& locale)
{
    if (locale.decimalPoint() == QStringLiteral(","))
        return QStringLiteral(" TXT file(*.txt,data seperated by tab)|*.TXT");
    return QStringLiteral("TXT file(*.txt,data seperated by tab)|*.TXT"
                          "|EXCEL file format(*.csv,seperated by comma) |*.CSV");
}

QString DialogFilters(const QString& storedFilter)
{
    const QStringList parts = storedFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        if (patterns.toLower() != patterns)
            patterns += u' ' + patterns.toLower();
        entries << parts[i] + QStringLiteral(" (") + patterns + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& name, const QString& selectedFilter,
                             const QString& defaultExtension)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    // The dialog filter ends in " (*.EXT ...)"; its first pattern gives the extension.
    QString extension = defaultExtension;
    const qsizetype open = selectedFilter.lastIndexOf(QStringLiteral("(*."));
    if (open >= 0) {
        const QString rest = selectedFilter.mid(open + 3);
        const qsizetype end = rest.indexOf(QRegularExpression(QStringLiteral("[ )]")));
        if (end > 0)
            extension = rest.left(end);
    }
    return name + u'.' + extension;
}
