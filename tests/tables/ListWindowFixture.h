#pragma once
#include "FakeClock.h"
#include "FakePrompts.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

// Prompts, clock and folders faked, the locale put back after each test, and files written
// in the documents folder.
class ListWindowTest : public ::testing::Test {
protected:
    ~ListWindowTest() override { QLocale::setDefault(locale); }

    static double At(int h, int m, int s)
    {
        return DaysFromDateTime(QDateTime(QDate(2023, 3, 4), QTime(h, m, s)));
    }

    QString Path(const QString& name) const { return environment.DocumentsDir() + u'/' + name; }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    }

    QLocale locale;
    TestEnvironment environment;
    ScopedFakePrompts fake;
    ScopedFakeClock clock;
};
