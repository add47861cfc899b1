#include "cli/Console.h"

#include <unistd.h>

Console::Console() : terminal(isatty(fileno(stderr)) != 0) {}

Console::Console(QString* capture, bool terminal) : capture(capture), terminal(terminal) {}

void Console::Write(const QString& text)
{
    if (capture) {
        *capture += text;
        return;
    }
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void Console::Line(const QString& text)
{
    if (barShown) {
        Write(QStringLiteral("\n"));
        barShown = false;
    }
    Write(text + u'\n');
}

void Console::Progress(int received, int length, const QString& timeLeft)
{
    if (!terminal)
        return;
    Write(u'\r' + ProgressBar(received, length, timeLeft));
    barShown = true;
}

void Console::EndProgress(const QString& finalLine)
{
    if (barShown) {
        Write(QStringLiteral("\n"));
        barShown = false;
    }
    Write(finalLine + u'\n');
}

QString Console::ProgressBar(int received, int length, const QString& timeLeft)
{
    constexpr int Width = 30;
    const int filled = length > 0 ? static_cast<int>(static_cast<long long>(received) * Width / length) : 0;
    QString bar = QStringLiteral("[") + QString(filled, u'#') + QString(Width - filled, u'.')
        + QStringLiteral("] %1/%2 bytes").arg(received).arg(length);
    if (!timeLeft.isEmpty())
        bar += QStringLiteral(", ") + timeLeft;
    // Blanks wipe what a longer earlier line left behind.
    return bar.leftJustified(72);
}
