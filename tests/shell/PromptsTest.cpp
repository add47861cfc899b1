#include "shell/ui/Prompts.h"

#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The desktop's own question box, answered with Enter as a hurried user does.
TEST(Prompts, EnterAnswersAYesNoQuestionWithItsDefault)
{
    using Answer = Prompts::Answer;
    const struct {
        Answer byDefault;
        QMessageBox::StandardButton button;
    } cases[] = {{Answer::Yes, QMessageBox::Yes}, {Answer::No, QMessageBox::No}};
    for (const auto& c : cases) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = true;
            EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(c.button));
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(CurrentPrompts().AskYesNo(QStringLiteral("Are you sure to erase memory ?"), c.byDefault), c.byDefault);
        EXPECT_TRUE(shown);
    }
}

}  // namespace
