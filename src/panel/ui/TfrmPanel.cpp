#include "panel/ui/TfrmPanel.h"

#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterStatus.h"
#include "panel/PanelReadout.h"
#include "panel/ui/KeyLabel.h"
#include "shell/ui/Prompts.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace {

const QColor LcdInk(0x1e, 0x26, 0x1c);

QPixmap Artwork(const QString& name)
{
    return QPixmap(QStringLiteral(":/panel/") + name + QStringLiteral(".jpg"));
}

}  // namespace

TfrmPanel::TfrmPanel(const LcdBitmaps& bitmaps, QTimer& blinkTimer, QWidget* parent)
    : QWidget(parent), bitmaps(bitmaps), blinkTimer(&blinkTimer)
{
    setObjectName(QStringLiteral("frmPanel"));
    setWindowTitle(QStringLiteral("Control Panel"));
    setFixedSize(184, 471);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(0x2b, 0x2e, 0x33)));

    imgPanel = Image(QStringLiteral("imgPanel"), QRect(-3, 0, 186, 470), QStringLiteral("face"));
    imgPanel->setAttribute(Qt::WA_OpaquePaintEvent);

    const int digitLefts[4] = {0, 40, 84, 133};
    const int digitTops[4] = {146, 145, 144, 144};
    for (int i = 0; i < 4; ++i)
        mainDigits[static_cast<std::size_t>(i)] = Image(
            QStringLiteral("MainD%1").arg(i + 1), QRect(digitLefts[i], digitTops[i], 39, 70));
    const int clockLefts[8] = {31, 44, 57, 70, 89, 104, 123, 137};
    for (int i = 0; i < 8; ++i)
        clockDigits[static_cast<std::size_t>(i)] =
            Image(QStringLiteral("LCDT%1").arg(i + 1), QRect(clockLefts[i], 89, 13, 22));
    Image(QStringLiteral("Image2"), QRect(84, 87, 5, 22), QStringLiteral("colon"));
    Image(QStringLiteral("Image1"), QRect(117, 88, 5, 22), QStringLiteral("colon"));

    lblFAST = Word(QStringLiteral("lblFAST"), QStringLiteral("FAST"), {57, 15}, 13, true);
    lblSLOW = Word(QStringLiteral("lblSLOW"), QStringLiteral("SLOW"), {94, 15}, 13, false);
    imgUNDER = Image(QStringLiteral("imgUNDER"), QRect(13, 16, 41, 12), QStringLiteral("under"));
    imgUNDER->hide();
    imgOVER = Image(QStringLiteral("imgOVER"), QRect(140, 16, 34, 12), QStringLiteral("over"));
    imgOVER->hide();
    lblRangeLow = Word(QStringLiteral("lblRangeLow"), QStringLiteral("30"), {9, 35}, 13, true);
    lblRangeHigh = Word(QStringLiteral("lblRangeHigh"), QStringLiteral("130"), {150, 35}, 13, true);
    imgColorBar = Image(QStringLiteral("imgColorBar"), QRect(12, 55, 156, 25), QStringLiteral("colorbar"));
    imgColorBar->setAttribute(Qt::WA_OpaquePaintEvent);
    imgColorBar->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblNoConnection = new QLabel(QStringLiteral("No Connection"), this);
    lblNoConnection->setObjectName(QStringLiteral("lblNoConnection"));
    lblNoConnection->setGeometry(20, 31, 140, 24);
    lblNoConnection->setAlignment(Qt::AlignCenter);
    QFont alarm(QStringLiteral("Arial"));
    alarm.setPixelSize(16);
    alarm.setBold(true);
    lblNoConnection->setFont(alarm);
    lblNoConnection->setStyleSheet(QStringLiteral("color: #d01010; background: transparent;"));
    lblNoConnection->hide();

    lbldBC = Word(QStringLiteral("lbldBC"), QStringLiteral("dBC"), {93, 118}, 16, false);
    lbldBA = Word(QStringLiteral("lbldBA"), QStringLiteral("dBA"), {133, 118}, 16, true);
    lblMIN = Word(QStringLiteral("lblMIN"), QStringLiteral("MIN"), {17, 119}, 13, false);
    lblMAX = Word(QStringLiteral("lblMAX"), QStringLiteral("MAX"), {47, 119}, 13, false);
    Image(QStringLiteral("imgBat"), QRect(12, 225, 43, 15), QStringLiteral("battery"));
    lblREC = Word(QStringLiteral("lblREC"), QStringLiteral("REC"), {89, 223}, 13, false);
    lblFULL = Word(QStringLiteral("lblFULL"), QStringLiteral("FULL"), {127, 223}, 13, false);
    Image(QStringLiteral("imgAutoOff"), QRect(63, 223, 20, 15), QStringLiteral("autooff"))->hide();
    Image(QStringLiteral("imgPoint"), QRect(120, 200, 10, 8), QStringLiteral("point"));

    connect(Key(QStringLiteral("btnPower"), {20, 290, 48, 25}, QStringLiteral("Close Control Panel")),
            &KeyLabel::clicked, this, &TfrmPanel::btnPowerClick);
    connect(Key(QStringLiteral("btnAC"), {108, 289, 53, 31}, QStringLiteral("Frequency Weighting select button")),
            &KeyLabel::clicked, this, &TfrmPanel::btnACClick);
    KeyLabel* maxMin = Key(QStringLiteral("btnMaxMin"), {17, 351, 48, 25},
                           QStringLiteral("single click to change MAX/MIN mode, double click  to cancel ."));
    maxMin->setToolTip(maxMin->property("hint").toString());
    connect(maxMin, &KeyLabel::clicked, this, &TfrmPanel::btnMaxMinClick);
    connect(maxMin, &KeyLabel::doubleClicked, this, &TfrmPanel::btnMaxMinDblClick);
    connect(Key(QStringLiteral("btnFast"), {111, 348, 49, 31}, QStringLiteral("Time weighting select button")),
            &KeyLabel::clicked, this, &TfrmPanel::btnFastClick);
    connect(Key(QStringLiteral("btnREC"), {17, 407, 48, 30}, {}), &KeyLabel::clicked, this,
            &TfrmPanel::btnRECClick);
    connect(Key(QStringLiteral("btnLevel"), {110, 407, 51, 34}, {}), &KeyLabel::clicked, this,
            &TfrmPanel::btnLevelClick);

    const auto cornerButton = [this](const QString& name, const QRect& area, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setGeometry(area);
        button->setAutoRaise(true);
        button->setIcon(style()->standardIcon(icon));
        button->setIconSize(QSize(10, 10));
        return button;
    };
    connect(cornerButton(QStringLiteral("SpeedButton1"), {145, 1, 16, 14}, QStyle::SP_TitleBarMinButton),
            &QToolButton::clicked, this, &TfrmPanel::SpeedButton1Click);
    connect(cornerButton(QStringLiteral("SpeedButton2"), {164, 1, 16, 14}, QStyle::SP_TitleBarCloseButton),
            &QToolButton::clicked, this, &TfrmPanel::SpeedButton2Click);

    // The captionless panel is dragged by its face and its LCD digits.
    imgPanel->installEventFilter(this);
    for (QLabel* digit : mainDigits)
        digit->installEventFilter(this);
    for (QLabel* digit : clockDigits)
        digit->installEventFilter(this);
}

QLabel* TfrmPanel::Image(const QString& name, const QRect& area, const QString& artwork)
{
    auto* image = new QLabel(this);
    image->setObjectName(name);
    image->setGeometry(area);
    if (!artwork.isEmpty())
        image->setPixmap(Artwork(artwork));
    return image;
}

QLabel* TfrmPanel::Word(const QString& name, const QString& text, QPoint at, int pixelHeight,
                        bool visible)
{
    auto* word = new QLabel(text, this);
    word->setObjectName(name);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    word->setFont(font);
    QPalette palette = word->palette();
    palette.setColor(QPalette::WindowText, LcdInk);
    word->setPalette(palette);
    word->setAttribute(Qt::WA_TranslucentBackground);
    word->move(at);
    word->adjustSize();
    word->setVisible(visible);
    return word;
}

KeyLabel* TfrmPanel::Key(const QString& name, const QRect& area, const QString& hint)
{
    auto* key = new KeyLabel(name, area, this);
    // The hints are kept with the keys; only MAX/MIN shows its hint as a tool tip.
    key->setProperty("hint", hint);
    return key;
}

void TfrmPanel::SetDigit(QLabel* image, int slot, int& shown)
{
    shown = slot;
    image->setPixmap(QPixmap::fromImage(bitmaps[static_cast<std::size_t>(slot)]));
}

void TfrmPanel::ShowPowerOnPattern()
{
    const int pattern[4] = {1, 8, 8, 8};
    for (std::size_t i = 0; i < 4; ++i)
        SetDigit(mainDigits[i], pattern[i], mainSlots[i]);
}

void TfrmPanel::SetNoConnectionVisible(bool visible) { lblNoConnection->setVisible(visible); }

void TfrmPanel::SetMaxMinWords(bool visible)
{
    lblMAX->setVisible(visible);
    lblMIN->setVisible(visible);
}

void TfrmPanel::ShowStatus(const MeterStatus& status, int level)
{
    lblREC->setVisible(status.recording);
    lbldBA->setVisible(status.aWeighting);
    lbldBC->setVisible(!status.aWeighting);
    lblFAST->setVisible(status.fast);
    lblSLOW->setVisible(!status.fast);
    imgUNDER->setVisible(status.under);
    imgOVER->setVisible(status.over);
    lblFULL->setVisible(status.full);

    ShowClock(status);

    const std::array<int, 4> digits = LevelDigitSlots(level);
    for (std::size_t i = 0; i < 4; ++i)
        SetDigit(mainDigits[i], digits[i], mainSlots[i]);

    ShowMaxMin(status);

    if (const std::optional<RangeBar> bar = RangeBarFor(status.rangeCode, level)) {
        lblRangeLow->setText(bar->low);
        lblRangeLow->adjustSize();
        lblRangeHigh->setText(bar->high);
        lblRangeHigh->adjustSize();
        imgColorBar->resize(bar->width, imgColorBar->height());
    }
}

void TfrmPanel::ShowClock(const MeterStatus& status)
{
    if (status.seconds == lastClockSecond)
        return;
    if (ClockIsHidden(status)) {
        lastClockSecond = 0x02;
        return;
    }
    const std::vector<int> digits = ClockDigitSlots(status);
    for (std::size_t i = 0; i < digits.size(); ++i)
        SetDigit(clockDigits[i + 2], digits[i], clockSlots[i + 2]);
    lastClockSecond = status.seconds;
}

void TfrmPanel::ShowMaxMin(const MeterStatus& status)
{
    QTimer* blink = blinkTimer;
    const auto stopBlinking = [blink] {
        if (blink)
            blink->stop();
    };
    if (!status.maxMinOn) {
        stopBlinking();
        SetMaxMinWords(false);
        return;
    }
    switch (status.maxMinSelection) {
    case MaxMinSelect::None: stopBlinking(); break;
    case MaxMinSelect::Max:
        lblMAX->show();
        lblMIN->hide();
        stopBlinking();
        break;
    case MaxMinSelect::Min:
        lblMAX->hide();
        lblMIN->show();
        stopBlinking();
        break;
    case MaxMinSelect::Alternate:
        if (blink && !blink->isActive())
            blink->start();
        break;
    default: break;
    }
}

void TfrmPanel::SendKey(std::uint8_t command)
{
    // A key pressed while a long sequence holds the link would read into its replies.
    std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Exchange);
    if (!link)
        return;
    const bool sent = SendCommand(*link, command);
    link.reset();
    if (!sent)
        CurrentPrompts().ShowMessage(QStringLiteral("Connect fail"));
}

void TfrmPanel::btnACClick() { SendKey(Cmd::WeightingKey); }
void TfrmPanel::btnMaxMinClick() { SendKey(Cmd::MaxMinKey); }
void TfrmPanel::btnMaxMinDblClick() { SendKey(Cmd::MaxMinCancel); }
void TfrmPanel::btnFastClick() { SendKey(Cmd::FastSlowKey); }
void TfrmPanel::btnRECClick() { SendKey(Cmd::RecKey); }
void TfrmPanel::btnLevelClick() { SendKey(Cmd::RangeKey); }
void TfrmPanel::btnPowerClick() { Frame()->close(); }
void TfrmPanel::SpeedButton1Click()
{
    // A captionless child window minimised would leave nothing to click: it is put away, and
    // View > Control Panel or the Window menu brings it back.
    Frame()->hide();
    emit Minimised();
}
void TfrmPanel::SpeedButton2Click() { Frame()->close(); }

QWidget* TfrmPanel::Frame()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return frame;
    return this;
}

bool TfrmPanel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        dragging = mouse->button() == Qt::LeftButton;
        dragOffset = mouse->globalPosition().toPoint() - Frame()->pos();
        return dragging;
    }
    case QEvent::MouseMove:
        if (dragging)
            Frame()->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset);
        return dragging;
    case QEvent::MouseButtonRelease:
        dragging = false;
        return false;
    default: return QWidget::eventFilter(watched, event);
    }
}
