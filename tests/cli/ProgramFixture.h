#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The program itself, as a script starts it: a separate process without any display, its
// standard output and error each a pipe.
class ProgramTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray outBytes;  // standard output as written
    QString out;
    QString err;
    QString zone;  // TZ of the program, when set
    bool listLoads = false;  // the dynamic loader lists on standard error every file it maps

    QProcessEnvironment WithoutDisplay() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), dir.path());
        // The locks that keep two programs off one meter: each test its own, so that tests
        // running side by side on the same simulated meter do not refuse each other.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        if (!zone.isEmpty())
            environment.insert(QStringLiteral("TZ"), zone);
        if (listLoads)
            environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
        return environment;
    }
    // The exit status; standardInput names a file to read standard input from.
    int Run(const QStringList& arguments, const QString& standardInput = {})
    {
        QProcess process;
        process.setProcessEnvironment(WithoutDisplay());
        if (!standardInput.isEmpty())
            process.setStandardInputFile(standardInput);
        process.start(QStringLiteral(QX574_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        outBytes = process.readAllStandardOutput();
        out = QString::fromLocal8Bit(outBytes);
        err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};
