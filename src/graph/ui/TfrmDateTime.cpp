#include "graph/ui/TfrmDateTime.h"

#include "shell/Formats.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QTimeEdit>

namespace {

QTime WholeSecond(const QTime& time) { return QTime(time.hour(), time.minute(), time.second()); }

}  // namespace

TfrmDateTime::TfrmDateTime(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDateTime"));
    setWindowTitle(QStringLiteral("Date Time"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    DatePicker = new QDateEdit(this);
    DatePicker->setObjectName(QStringLiteral("DatePicker"));
    DatePicker->setCalendarPopup(true);
    DatePicker->setDisplayFormat(ShortDateFormat());
    TimePicker = new QTimeEdit(this);
    TimePicker->setObjectName(QStringLiteral("TimePicker"));
    TimePicker->setDisplayFormat(LongTimeFormat());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Date"), DatePicker);
    form->addRow(QStringLiteral("Time"), TimePicker);
    form->addRow(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmDateTime::SetDateTime(double days)
{
    const QDateTime when = DateTimeFromDays(days);
    DatePicker->setDate(when.date());
    TimePicker->setTime(WholeSecond(when.time()));
}

double TfrmDateTime::DateTime() const
{
    // The picker shows seconds: milliseconds it kept from a time given it are not the user's.
    return DaysFromDateAndTime(DatePicker->date(), WholeSecond(TimePicker->time()));
}
