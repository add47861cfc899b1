#pragma once
#include <QTemporaryDir>
#include <QString>

// Points the program's folder, the documents folder and the settings store at a fresh
// temporary directory and starts from a fresh link session; puts everything back afterwards.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString Root() const { return dir.path(); }
    QString ProgramDir() const { return dir.path() + QStringLiteral("/program"); }
    QString DocumentsDir() const { return dir.path() + QStringLiteral("/documents"); }
    QString SettingsFile() const { return dir.path() + QStringLiteral("/settings.ini"); }

private:
    QTemporaryDir dir;
};
