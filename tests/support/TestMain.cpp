#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The leak checker's settings, built into every test program so that they hold however it is
// started. It crashes walking the dynamic thread-local storage of a program that loads both the
// window toolkit and the MQTT client's TLS libraries, so thread-local storage is not scanned;
// the toolkit's own libraries keep blocks that no test can free.
extern "C" const char* __lsan_default_options() { return "use_tls=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:g_malloc0\nleak:libcups.so\n"; }

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Tests pin the locale; the comma-decimal cases switch it themselves.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
