#include "FuzzEntries.h"

#include "files/ImportTextLines.h"
#include "shell/DateTimeReader.h"
#include "shell/Formats.h"

#include <QBuffer>
#include <QLocale>

namespace {

// The list window's cells after its row number.
constexpr int ListFields = 6;

void Import(const QByteArray& text, QChar separator, const QLocale& locale)
{
    QBuffer file;
    file.setData(text);
    file.open(QIODevice::ReadOnly);
    DateTimeReader reader(locale);
    int expected = 1;
    const int rows = ReadImportRows(
        file, separator, ListFields,
        [&](int row, QStringList& cells) {
            FuzzCheck(row == expected++, "rows are numbered from 1 in order");
            FuzzCheck(cells.size() <= ListFields, "no row has more fields than the list has cells");
            for (const QString& cell : cells)
                FuzzCheck(cell.size() <= ImportLineLimit, "no field is longer than a line");
            // As the graph of a list reads a row: its date and time, then its level.
            reader.Read(cells.value(0), cells.value(1));
            bool ok = false;
            ReadNumber(cells.value(2), &ok, locale);
            return true;
        },
        locale);
    FuzzCheck(rows == expected - 1, "every row stored is counted");
}

}  // namespace

void FuzzImportText(FuzzInput data)
{
    const QByteArray text(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)})
        for (const QChar separator : {QChar(u'\t'), QChar(u',')})
            Import(text, separator, locale);
}
