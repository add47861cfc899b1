#pragma once
#include <QByteArray>
#include <QtGlobal>

// IsoDateTimeText's texts of many day counts at the pace of a long file: the date is split
// into its fields only when it changes, the time of day is taken by arithmetic.
class IsoDateTimeTexts {
public:
    // Appends the text of days to out; nothing for a day count no date holds.
    void Append(QByteArray& out, double days);

private:
    qint64 lastDay = 0;
    bool haveDay = false;
    char date[32] = {};  // yyyy-MM-dd and a blank
    int dateLength = 0;
};
