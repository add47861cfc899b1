#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// A free TCP port on 127.0.0.1 (free when asked; a server started on it at once gets it).
std::uint16_t FreeLoopbackPort();

// Waits, checking every 50 ms, until done() holds or timeoutMs has passed; whether it holds.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 60000);

// A real server for a test: started on a loopback port, ready once the port accepts a
// connection, and stopped whatever happens: by the destructor, and by the kernel when the
// test program itself dies.
class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer() { Stop(); }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // False, with its output, when the program cannot be started or never listens on port.
    bool Start(const QString& program, const QStringList& arguments, std::uint16_t port, QString* output);
    // SIGTERM, and SIGKILL when it is not gone in 10 s.
    void Stop();
    bool Running() const { return process.state() != QProcess::NotRunning; }

private:
    QProcess process;
};

// Starts a process that dies with the test program.
void StartTiedToTest(QProcess& process, const QString& program, const QStringList& arguments);
