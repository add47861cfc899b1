#include "FakePrompts.h"
#include "FakeTransport.h"
#include "link/LinkSession.h"
#include "link/MeterStatus.h"
#include "panel/ui/LcdBitmaps.h"
#include "panel/ui/TfrmPanel.h"
#include "TestEnvironment.h"
#include "UserInput.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <memory>

#include <gtest/gtest.h>

namespace {

class PanelTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ScopedFakePrompts fake;
    ScopedFakeTransport meter;
    QTimer blink;
    LcdBitmaps bitmaps = LoadLcdBitmaps();
    std::unique_ptr<TfrmPanel> panel = std::make_unique<TfrmPanel>(bitmaps, blink);
    ReplyFrame reply{};

    QLabel* Label(const char* name) { return panel->findChild<QLabel*>(name); }
    bool Shown(const char* name) { return !Label(name)->isHidden(); }

    // A status reply as the meter sends it.
    void Reply(std::uint8_t flags, std::uint8_t range, std::uint8_t selection, int level,
               std::uint8_t hh = 0x10, std::uint8_t mm = 0x20, std::uint8_t ss = 0x30)
    {
        reply = ReplyFrame{};
        reply[0] = 0x02;
        reply[1] = flags;
        reply[3] = range;
        reply[4] = selection;
        reply[5] = static_cast<std::uint8_t>(level >> 8);
        reply[6] = static_cast<std::uint8_t>(level);
        reply[11] = 0x04;  // MAX 120.0
        reply[12] = 0xB0;
        reply[15] = ss;
        reply[16] = mm;
        reply[17] = hh;
        reply[31] = 0x03;
    }
    // Draws the reply as the connection monitor has the panel draw it.
    void ShowMeterStatus()
    {
        const MeterStatus status = DecodeMeterStatus(reply);
        panel->ShowStatus(status, DisplayedLevel(status));
    }
};

constexpr std::uint8_t Rec = 0x01, MaxMin = 0x04, AWeight = 0x08, Fast = 0x10, Under = 0x40, Over = 0x80;

}  // namespace

TEST_F(PanelTest, ControlsSitWhereTheMeterHasThem)
{
    EXPECT_EQ(panel->size(), QSize(184, 471));
    struct Case { const char* name; QRect area; } cases[] = {
        {"imgPanel", {-3, 0, 186, 470}}, {"MainD1", {0, 146, 39, 70}}, {"MainD4", {133, 144, 39, 70}},
        {"LCDT3", {57, 89, 13, 22}},     {"LCDT8", {137, 89, 13, 22}}, {"imgColorBar", {12, 55, 156, 25}},
        {"lblNoConnection", {20, 31, 140, 24}}, {"btnMaxMin", {17, 351, 48, 25}}, {"btnLevel", {110, 407, 51, 34}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Label(c.name)->geometry(), c.area) << c.name;
    EXPECT_TRUE(Shown("lblFAST"));
    EXPECT_FALSE(Shown("lblSLOW"));
    EXPECT_TRUE(Shown("lbldBA"));
    EXPECT_FALSE(Shown("lblNoConnection"));
    EXPECT_EQ(panel->MainDigitSlot(0), -1) << "a new panel starts with empty digits";
}

TEST_F(PanelTest, AStatusSetsWordsDigitsClockAndBar)
{
    Reply(Rec | AWeight | Under, 0x44, 0, 945, 0x23, 0x07, 0x59);
    reply[2] = 0x10;  // FULL
    ShowMeterStatus();
    EXPECT_TRUE(Shown("lblREC"));
    EXPECT_TRUE(Shown("lblFULL"));
    EXPECT_TRUE(Shown("lbldBA"));
    EXPECT_FALSE(Shown("lbldBC"));
    EXPECT_FALSE(Shown("lblFAST"));
    EXPECT_TRUE(Shown("lblSLOW"));
    EXPECT_TRUE(Shown("imgUNDER"));
    EXPECT_FALSE(Shown("imgOVER"));
    EXPECT_EQ(panel->MainDigitSlot(0), BlankDigitSlot);
    EXPECT_EQ(panel->MainDigitSlot(1), 9);
    EXPECT_EQ(panel->MainDigitSlot(3), 5);
    EXPECT_EQ(panel->ClockDigitSlot(2), SmallDigitSlot + 2);
    EXPECT_EQ(panel->ClockDigitSlot(7), SmallDigitSlot + 9);
    EXPECT_EQ(panel->ClockDigitSlot(0), -1) << "LCDT1 and LCDT2 stay empty";
    EXPECT_EQ(Label("lblRangeLow")->text(), "70");
    EXPECT_EQ(Label("imgColorBar")->width(), 65);

    Reply(Fast | Over, 0x99, 0, 1300);  // unknown range code: labels and bar stay
    ShowMeterStatus();
    EXPECT_TRUE(Shown("lbldBC"));
    EXPECT_TRUE(Shown("imgOVER"));
    EXPECT_EQ(Label("lblRangeLow")->text(), "70");
    EXPECT_EQ(Label("imgColorBar")->width(), 65);
    EXPECT_EQ(panel->MainDigitSlot(1), 3) << "130.0";
}

TEST_F(PanelTest, ClockRedrawsOnlyWhenTheSecondsChange)
{
    Reply(0, 0x11, 0, 500, 0x10, 0x20, 0x30);
    ShowMeterStatus();
    Reply(0, 0x11, 0, 500, 0x11, 0x21, 0x30);  // same seconds: hours and minutes not redrawn
    ShowMeterStatus();
    EXPECT_EQ(panel->ClockDigitSlot(3), SmallDigitSlot + 0);

    Reply(0, 0x11, 0, 500, 0x11, 0x21, 0x5A);  // hidden clock: frozen
    ShowMeterStatus();
    EXPECT_EQ(panel->ClockDigitSlot(3), SmallDigitSlot + 0);

    Reply(0, 0x11, 0, 500, 0x11, 0x21, 0x30);  // the seconds from before the hidden clock draw again
    ShowMeterStatus();
    EXPECT_EQ(panel->ClockDigitSlot(3), SmallDigitSlot + 1);
    Reply(0, 0x11, 0, 500, 0x12, 0x22, 0x31);
    ShowMeterStatus();
    EXPECT_EQ(panel->ClockDigitSlot(3), SmallDigitSlot + 2);
    EXPECT_EQ(panel->ClockDigitSlot(7), SmallDigitSlot + 1);
}

TEST_F(PanelTest, MaxMinSelectionShowsOrBlinksTheWords)
{
    Reply(MaxMin, 0x11, 0x44, 500);
    ShowMeterStatus();
    EXPECT_TRUE(blink.isActive()) << "alternating starts the blinking";
    Reply(MaxMin, 0x11, 0x11, 500);
    ShowMeterStatus();
    EXPECT_FALSE(blink.isActive());
    EXPECT_TRUE(Shown("lblMAX"));
    EXPECT_FALSE(Shown("lblMIN"));
    EXPECT_EQ(panel->MainDigitSlot(1), 2) << "the MAX reading (120.0) is the displayed level";
    Reply(0, 0x11, 0x11, 500);
    ShowMeterStatus();
    EXPECT_FALSE(Shown("lblMAX"));
}

TEST_F(PanelTest, KeysSendTheirCommands)
{
    struct Case { const char* key; std::uint8_t command; } cases[] = {
        {"btnAC", 'C'}, {"btnMaxMin", 'M'}, {"btnFast", 'F'}, {"btnREC", 'R'}, {"btnLevel", 'L'},
    };
    for (const Case& c : cases) {
        meter.usb.written.clear();
        QTest::mouseClick(Label(c.key), Qt::LeftButton);
        ASSERT_EQ(meter.usb.written.size(), 1u) << c.key;
        EXPECT_EQ(meter.usb.written[0][1], c.command) << c.key;
    }
    EXPECT_TRUE(fake.prompts.Messages().isEmpty());
}

TEST_F(PanelTest, DoubleClickOnMaxMinSendsMThenN)
{
    DoubleClick(Label("btnMaxMin"));
    ASSERT_EQ(meter.usb.written.size(), 2u);
    EXPECT_EQ(meter.usb.written[0][1], 'M');
    EXPECT_EQ(meter.usb.written[1][1], 'N');
}

TEST_F(PanelTest, KeyWithTheMeterAbsentSaysConnectFailOncePerClick)
{
    meter.usb.openFails = true;
    Reply(0, 0x11, 0, 500);
    ShowMeterStatus();
    QTest::mouseClick(Label("btnREC"), Qt::LeftButton);
    QTest::mouseClick(Label("btnFast"), Qt::LeftButton);
    EXPECT_EQ(fake.prompts.Messages(), QStringList({"Connect fail", "Connect fail"}));
    EXPECT_TRUE(meter.usb.written.empty());
    EXPECT_FALSE(Shown("lblSLOW") && Shown("lblFAST"));
}

TEST_F(PanelTest, DraggingTheFaceMovesTheCaptionlessPanel)
{
    panel->move(10, 10);
    const auto send = [](QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    };
    QLabel* face = Label("imgPanel");
    const QPoint start = face->mapToGlobal(QPoint(90, 300));
    send(face, QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(face, QEvent::MouseMove, start + QPoint(30, 40), Qt::LeftButton);
    send(face, QEvent::MouseButtonRelease, start + QPoint(30, 40), Qt::NoButton);
    EXPECT_EQ(panel->pos(), QPoint(40, 50));
    send(face, QEvent::MouseMove, start + QPoint(60, 60), Qt::NoButton);
    EXPECT_EQ(panel->pos(), QPoint(40, 50)) << "the drag ends with the release";
}
