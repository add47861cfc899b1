#include "FakePrompts.h"
#include "realtime/ui/TfrmSetupRealTime.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

TEST(TfrmSetupRealTime, PeriodFollowsBothBoxes)
{
    ScopedFakePrompts fake;
    TfrmSetupRealTime dialog;
    EXPECT_EQ(dialog.windowTitle(), "Real-Time Setup");
    dialog.edtPeriod()->setText("0:6:40");  // what the caller puts there stays until a change
    dialog.show();
    EXPECT_EQ(dialog.edtPeriod()->text(), "0:6:40");

    struct Case { const char* count; const char* rate; const char* period; } cases[] = {
        {"2000", "30.0", "16:40:00"}, {"99999", "30", "833:19:30"}, {"7", "0.5", "0:00:03"},
        {"2000", "0.5", "0:16:40"},   {"", "1.0", "0:00:00"},
    };
    for (const Case& c : cases) {
        dialog.edtRealTimeNo()->setText(c.count);
        dialog.txtRate()->setEditText(c.rate);
        EXPECT_EQ(dialog.edtPeriod()->text(), c.period) << c.count << " x " << c.rate;
    }
    EXPECT_TRUE(fake.prompts.Errors().isEmpty());

    dialog.txtRate()->setEditText("fast");
    EXPECT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_EQ(dialog.edtPeriod()->text(), "0:00:00") << "the period keeps its last text";
}

TEST(TfrmSetupRealTime, RateItemsCarryTheUsersDecimalSeparator)
{
    ScopedFakePrompts fake;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TfrmSetupRealTime dialog;
    dialog.txtRate()->setEditText("0,5");
    dialog.show();
    EXPECT_EQ(dialog.txtRate()->itemText(0), "0,5");
    EXPECT_EQ(dialog.txtRate()->itemText(6), "30,0");
    EXPECT_EQ(dialog.txtRate()->currentText(), "0,5");
    dialog.edtRealTimeNo()->setText("2000");
    EXPECT_EQ(dialog.edtPeriod()->text(), "0:16:40");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(dialog.edtRealTimeNo()->maxLength(), 5);
}
