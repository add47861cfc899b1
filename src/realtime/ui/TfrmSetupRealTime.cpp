#include "realtime/ui/TfrmSetupRealTime.h"

#include "realtime/RealTimeRules.h"
#include "shell/Formats.h"
#include "shell/ui/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const double Rates[] = {0.5, 1, 2, 5, 10, 20, 30};

QLabel* Caption(const QString& text, QWidget* parent, bool hint = false)
{
    auto* label = new QLabel(text, parent);
    if (hint) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
        label->setPalette(palette);
    }
    return label;
}

}  // namespace

TfrmSetupRealTime::TfrmSetupRealTime(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      count(new QLineEdit(this)),
      rate(new QComboBox(this)),
      period(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmSetupRealTime"));
    setWindowTitle(QStringLiteral("Real-Time Setup"));

    count->setObjectName(QStringLiteral("edtRealTimeNo"));
    count->setInputMask(QStringLiteral("99999;_"));
    count->setText(QStringLiteral("2000"));
    count->setMaximumWidth(90);

    rate->setObjectName(QStringLiteral("txtRate"));
    rate->setEditable(true);
    for (const double r : Rates)
        rate->addItem(OneDecimalText(r));
    rate->setEditText(QStringLiteral("0.5"));
    rate->setMaximumWidth(90);

    period->setObjectName(QStringLiteral("edtPeriod"));
    period->setReadOnly(true);
    period->setMaximumWidth(90);
    auto* periodPanel = new QWidget(this);
    periodPanel->setObjectName(QStringLiteral("pnlPeriod"));
    auto* periodRow = new QHBoxLayout(periodPanel);
    periodRow->setContentsMargins(0, 0, 0, 0);
    periodRow->addWidget(period);
    periodPanel->setEnabled(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Caption(QStringLiteral("Real-Time data no to be recorded"), this), 0, 0);
    grid->addWidget(count, 0, 1);
    grid->addWidget(Caption(QStringLiteral("(Adjust the number to meet your need)"), this, true), 1, 0, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Real -Time Sampling Rate"), this), 2, 0);
    grid->addWidget(rate, 2, 1);
    grid->addWidget(Caption(QStringLiteral("second"), this), 2, 2);
    grid->addWidget(Caption(QStringLiteral("Recording Period"), this), 3, 0);
    grid->addWidget(periodPanel, 3, 1);
    grid->addWidget(Caption(QStringLiteral("HH:MM:SS"), this), 3, 2);
    grid->setColumnStretch(0, 1);

    auto* start = new QPushButton(QStringLiteral("Start"), this);
    start->setObjectName(QStringLiteral("btnOpenSingleSet"));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button1"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(QSize(328, 180).expandedTo(sizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(count, &QLineEdit::textChanged, this, &TfrmSetupRealTime::edtRealTimeNoChange);
    connect(rate, &QComboBox::currentTextChanged, this, &TfrmSetupRealTime::edtRealTimeNoChange);
}

void TfrmSetupRealTime::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmSetupRealTime::FormShow()
{
    const QString text = rate->currentText();
    for (int i = 0; i < rate->count(); ++i)
        rate->setItemText(i, OneDecimalText(Rates[i]));
    rate->setEditText(text);
}

void TfrmSetupRealTime::edtRealTimeNoChange()
{
    bool rateOk = false;
    const double seconds = ReadNumber(rate->currentText(), &rateOk);
    if (!rateOk) {
        CurrentPrompts().ShowError(NotANumberMessage(rate->currentText()));
        return;
    }
    bool countOk = false;
    const int samples = count->text().trimmed().toInt(&countOk);
    period->setText(PeriodText(countOk ? samples : 0, seconds));
}
