#include "logger/ui/TfrmSetup.h"

#include "link/LinkSession.h"
#include "logger/EepromByte.h"
#include "logger/EraseLoggerMemory.h"
#include "logger/ReadLoggerInformation.h"
#include "logger/SetMeterClock.h"
#include "logger/SetRecordingInterval.h"
#include "logger/ui/EraseMemoryPrompts.h"
#include "shell/Clock.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

// The hourglass for as long as an exchange runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QLineEdit* Edit(const QString& name, QWidget* parent, bool readOnly)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(readOnly);
    return edit;
}

// A two-digit box of the interval: digits only, a blank shown as '_'.
QLineEdit* TwoDigitEdit(const QString& name, const QString& text, QWidget* parent)
{
    QLineEdit* edit = Edit(name, parent, false);
    edit->setInputMask(QStringLiteral("99;_"));
    edit->setText(text);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    return edit;
}

QLabel* Caption(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

TfrmSetup::TfrmSetup(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Data Logger Setup"));

    Button1 = Button(QStringLiteral("Button1"), QStringLiteral("Adjust Meter Time To Computer Time"), this);

    GroupBox1 = new QGroupBox(QStringLiteral("Meter Recording Interval "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edtInt1 = TwoDigitEdit(QStringLiteral("edtInt1"), QStringLiteral("00"), GroupBox1);
    edtInt2 = TwoDigitEdit(QStringLiteral("edtInt2"), QStringLiteral("02"), GroupBox1);
    Button2 = Button(QStringLiteral("Button2"), QStringLiteral("Adjust Meter Recording Interval "), GroupBox1);
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(edtInt1);
    intervalRow->addWidget(Caption(QStringLiteral("Label1"), QStringLiteral(":"), GroupBox1));
    intervalRow->addWidget(edtInt2);
    intervalRow->addSpacing(6);
    intervalRow->addWidget(Caption(QStringLiteral("Label2"), QStringLiteral("mm:ss(00:01~01:00)"), GroupBox1));
    intervalRow->addStretch();
    auto* intervalBox = new QVBoxLayout(GroupBox1);
    intervalBox->addLayout(intervalRow);
    intervalBox->addWidget(Button2);

    Button3 = Button(QStringLiteral("Button3"), QStringLiteral("Erase Meter Memory"), this);

    GroupBox2 = new QGroupBox(QStringLiteral("Meter DataLogger Information"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    txtVer = Edit(QStringLiteral("txtVer"), GroupBox2, true);
    txtMeterTime = Edit(QStringLiteral("txtMeterTime"), GroupBox2, true);
    txtInt = Edit(QStringLiteral("txtInt"), GroupBox2, true);
    txtDataSets = Edit(QStringLiteral("txtDataSets"), GroupBox2, true);
    txtMemoryAvailable = Edit(QStringLiteral("txtMemoryAvailable"), GroupBox2, true);
    txtSN = Edit(QStringLiteral("txtSN"), GroupBox2, true);
    txt94dB = Edit(QStringLiteral("txt94dB"), GroupBox2, true);
    txt70dB = Edit(QStringLiteral("txt70dB"), GroupBox2, true);
    Button4 = Button(QStringLiteral("Button4"), QStringLiteral("Read  "), GroupBox2);
    // The meter time is the longest text shown; every box takes its width.
    const int infoWidth = txtMeterTime->fontMetrics().horizontalAdvance(QStringLiteral("00/00/2000   00:00:00")) + 16;
    for (QLineEdit* edit : {txtVer, txtMeterTime, txtInt, txtDataSets, txtMemoryAvailable, txtSN, txt94dB, txt70dB})
        edit->setMinimumWidth(infoWidth);
    auto* meterTime = new QVBoxLayout;
    meterTime->setSpacing(0);
    meterTime->addWidget(txtMeterTime);
    QLabel* hint = Caption(QStringLiteral("Label5"), QStringLiteral("MM/DD/YY   hh:mm:ss"), GroupBox2);
    hint->setForegroundRole(QPalette::PlaceholderText);
    meterTime->addWidget(hint);
    auto* form = new QFormLayout;
    form->addRow(Caption(QStringLiteral("Label3"), QStringLiteral("FirmWare Version:"), GroupBox2), txtVer);
    form->addRow(Caption(QStringLiteral("Label4"), QStringLiteral("Meter Time:"), GroupBox2), meterTime);
    form->addRow(Caption(QStringLiteral("Label6"), QStringLiteral("Recording Interval:"), GroupBox2), txtInt);
    form->addRow(Caption(QStringLiteral("Label7"), QStringLiteral("Data Sets In Memory:"), GroupBox2), txtDataSets);
    form->addRow(Caption(QStringLiteral("Label8"), QStringLiteral("Memory Available:"), GroupBox2), txtMemoryAvailable);
    form->addRow(Caption(QStringLiteral("Label9"), QStringLiteral("SN:"), GroupBox2), txtSN);
    form->addRow(Caption(QStringLiteral("Label10"), QStringLiteral("94dB cali:"), GroupBox2), txt94dB);
    form->addRow(Caption(QStringLiteral("Label11"), QStringLiteral("70dB cali"), GroupBox2), txt70dB);
    auto* readRow = new QHBoxLayout;
    readRow->addStretch();
    readRow->addWidget(Button4);
    auto* informationBox = new QVBoxLayout(GroupBox2);
    informationBox->addLayout(form);
    informationBox->addLayout(readRow);

    Button6 = Button(QStringLiteral("Button6"), QStringLiteral("Write EEProm"), this);
    txtWAddress = Edit(QStringLiteral("txtWAddress"), this, false);
    txtWAddress->setText(QStringLiteral("0"));
    txtWData = Edit(QStringLiteral("txtWData"), this, false);
    txtWData->setText(QStringLiteral("0"));
    Button7 = Button(QStringLiteral("Button7"), QStringLiteral("Read EEProm"), this);
    txtRAddress = Edit(QStringLiteral("txtRAddress"), this, false);
    txtRAddress->setText(QStringLiteral("0"));
    txtRData = Edit(QStringLiteral("txtRData"), this, true);
    txtRData->setText(QStringLiteral("0"));
    for (QLineEdit* edit : {txtWAddress, txtWData, txtRAddress, txtRData})
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0x000000")) + 16);
    auto* eeprom = new QGridLayout;
    eeprom->addWidget(Caption(QStringLiteral("Label12"), QStringLiteral("Address"), this), 0, 1);
    eeprom->addWidget(Caption(QStringLiteral("Label13"), QStringLiteral("Data"), this), 0, 2);
    eeprom->addWidget(Button6, 1, 0);
    eeprom->addWidget(txtWAddress, 1, 1);
    eeprom->addWidget(txtWData, 1, 2);
    eeprom->addWidget(Button7, 2, 0);
    eeprom->addWidget(txtRAddress, 2, 1);
    eeprom->addWidget(txtRData, 2, 2);
    eeprom->setColumnStretch(3, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(Button1);
    left->addWidget(GroupBox1);
    left->addWidget(Button3);
    left->addStretch();
    left->addLayout(eeprom);
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(left);
    layout->addWidget(GroupBox2);

    connect(Button1, &QPushButton::clicked, this, &TfrmSetup::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmSetup::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmSetup::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmSetup::Button4Click);
    connect(Button6, &QPushButton::clicked, this, &TfrmSetup::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TfrmSetup::Button7Click);
}

// A second sequence on the link would read the first one's replies, so while one holds the
// link (a download, an LEQ measurement) every button does nothing: the link is not given.

void TfrmSetup::Button1Click()
{
    int code = 0;
    {
        std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Long, LinkSession::Frames::Service);
        if (!link)
            return;
        WaitCursor wait;
        code = SetMeterClock(*link, CurrentClock().Now());
    }
    if (code == 0)
        CurrentPrompts().ShowMessage(QStringLiteral("Meter time updated successfully \n"));
    else
        CurrentPrompts().ShowError(QStringLiteral("Meter time updated fail"));
}

void TfrmSetup::Button2Click()
{
    int code = IntervalCode::InvalidInput;
    {
        std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Long, LinkSession::Frames::Service);
        if (!link)
            return;
        // The edits' texts as shown, so that a blank digit counts as one.
        if (const std::optional<int> seconds = IntervalFromInput(edtInt1->displayText(), edtInt2->displayText())) {
            WaitCursor wait;
            code = SetRecordingInterval(*link, *seconds);
        }
    }
    if (code == 0)
        CurrentPrompts().ShowMessage(RecordingIntervalMessage(code));
    else
        CurrentPrompts().ShowError(RecordingIntervalMessage(code));
}

void TfrmSetup::Button3Click()
{
    int code = 0;
    {
        // Taken before the question, so that what is confirmed is what runs.
        std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Long, LinkSession::Frames::Service);
        if (!link || !ConfirmEraseMemory())
            return;
        WaitCursor wait;
        code = EraseLoggerMemory(*link);
    }
    ShowEraseResult(code, QStringLiteral("erase memory successfully"));
}

void TfrmSetup::Button4Click()
{
    LoggerInformationResult result;
    {
        std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Long, LinkSession::Frames::Service);
        if (!link)
            return;
        for (QLineEdit* edit : {txtMemoryAvailable, txtMeterTime, txtInt, txtDataSets, txtVer, txtSN, txt70dB, txt94dB})
            edit->clear();
        WaitCursor wait;
        result = ReadLoggerInformation(*link);
    }
    if (const std::optional<LoggerInformation>& info = result.information) {
        txtVer->setText(info->firmwareVersion);
        txtMeterTime->setText(info->meterTime);
        txtInt->setText(info->interval);
        txtDataSets->setText(info->dataSets);
        txtMemoryAvailable->setText(info->memoryAvailable);
        txtSN->setText(info->serialNumber);
        txt94dB->setText(info->calibration94);
        txt70dB->setText(info->calibration70);
    }
    const QString message = LoggerInformationMessage(result.code);
    if (result.code == 0)
        CurrentPrompts().ShowMessage(message);
    else if (!message.isEmpty())
        CurrentPrompts().ShowError(message);
}

void TfrmSetup::Button6Click()
{
    std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Exchange, LinkSession::Frames::Service);
    if (!link)
        return;
    // A number that is not one, or an address the frame cannot carry, sends nothing.
    const std::optional<std::uint32_t> address = ReadEepromAddress(txtWAddress->text());
    if (!address) {
        CurrentPrompts().ShowError(InvalidEepromAddressMessage(txtWAddress->text()));
        return;
    }
    const std::optional<std::uint8_t> data = ReadEepromData(txtWData->text());
    if (!data) {
        CurrentPrompts().ShowError(InvalidEepromDataMessage(txtWData->text()));
        return;
    }
    const int code = WriteEepromByte(*link, *address, *data);
    link.reset();
    if (code != 0)
        CurrentPrompts().ShowError(EepromErrorMessage(code));
}

void TfrmSetup::Button7Click()
{
    std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Exchange, LinkSession::Frames::Service);
    if (!link)
        return;
    txtRData->clear();
    const std::optional<std::uint32_t> address = ReadEepromAddress(txtRAddress->text());
    if (!address) {
        CurrentPrompts().ShowError(InvalidEepromAddressMessage(txtRAddress->text()));
        return;
    }
    const EepromReadResult result = ReadEepromByte(*link, *address);
    link.reset();
    if (result.code == 0)
        txtRData->setText(QString::number(result.value));
    else
        CurrentPrompts().ShowError(EepromErrorMessage(result.code));
}

void TfrmSetup::closeEvent(QCloseEvent* event)
{
    if (PutOffClose(*this, false)) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmSetup::FormClose() { emit Closed(); }

TfrmSetup& OpenSetupWindow(QMdiArea& area, QPointer<TfrmSetup>& open)
{
    if (TfrmSetup* window = open) {
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        frame->showNormal();
        area.setActiveSubWindow(frame);
        return *window;
    }
    auto* window = new TfrmSetup;
    open = window;
    QObject::connect(window, &TfrmSetup::Closed, window, [&open] { open = nullptr; });
    QMdiSubWindow* frame = area.addSubWindow(window, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                         | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame->setObjectName(QStringLiteral("SetupWindow"));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    // Its size is known once its layout has run, which showing it does.
    frame->show();
    frame->adjustSize();
    const QRect space = area.viewport()->rect();
    frame->move(std::max(0, (space.width() - frame->width()) / 2), std::max(0, (space.height() - frame->height()) / 2));
    area.setActiveSubWindow(frame);
    return *window;
}
