#pragma once
#include <QByteArray>
#include <QtGlobal>

#include <ctime>

// Puts the process in a time zone (TZ) for the length of a test, and the one before it back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : before(qgetenv("TZ")), wasSet(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (wasSet)
            qputenv("TZ", before);
        else
            qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    QByteArray before;
    bool wasSet;
};
