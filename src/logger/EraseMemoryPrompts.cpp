#include "EraseMemoryPrompts.h"

#include "EraseLoggerMemory.h"
#include "Prompts.h"

bool ConfirmEraseMemory()
{
    return CurrentPrompts().AskYesNo(QStringLiteral("Are you sure to erase memory ?")) == Prompts::Answer::Yes;
}

void ShowEraseResult(int code, const QString& successText)
{
    switch (code) {
    case 0: CurrentPrompts().ShowMessage(successText); break;
    case EraseCode::Open: CurrentPrompts().ShowError(QStringLiteral("fail to open device")); break;
    case EraseCode::Timeouts: CurrentPrompts().ShowError(QStringLiteral("fail to set timeout")); break;
    case EraseCode::Write: CurrentPrompts().ShowError(QStringLiteral("fail to write command to device")); break;
    case EraseCode::Echo:
        CurrentPrompts().ShowError(QStringLiteral("no response from device, error code=") + QString::number(code));
        break;
    default: break;  // no reply at all: nothing to say
    }
}
