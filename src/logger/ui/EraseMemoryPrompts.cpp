#include "logger/ui/EraseMemoryPrompts.h"

#include "logger/EraseLoggerMemory.h"
#include "shell/ui/Prompts.h"

bool ConfirmEraseMemory()
{
    return CurrentPrompts().AskYesNo(QStringLiteral("Are you sure to erase memory ?"), Prompts::Answer::No)
           == Prompts::Answer::Yes;
}

void ShowEraseResult(int code, const QString& successText)
{
    switch (code) {
    case 0: CurrentPrompts().ShowMessage(successText); break;
    case EraseCode::Open: CurrentPrompts().ShowError(QStringLiteral("fail to open device")); break;
    case EraseCode::Timeouts: CurrentPrompts().ShowError(QStringLiteral("fail to set timeout")); break;
    case EraseCode::Write: CurrentPrompts().ShowError(QStringLiteral("fail to write command to device")); break;
    // A meter that does not answer at all is a failure too: the user asked for the erase and
    // must learn that it did not happen.
    case EraseCode::Read:
    case EraseCode::Echo:
        CurrentPrompts().ShowError(QStringLiteral("no response from device, error code=") + QString::number(code));
        break;
    default: break;
    }
}
