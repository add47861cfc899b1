#include "IdentifyMeter.h"

#include "CommandTable.h"
#include "Console.h"
#include "ExitStatus.h"
#include "LinkSession.h"
#include "MeterLink.h"
#include "MeterStatus.h"

int IdentifyMeter(LinkSession& link, Console& console)
{
    const QString noConnection = QString::fromLatin1(NoConnectionText);
    if (!ExchangeCommand(link, Cmd::Identify)) {
        console.Line(noConnection);
        return ExitStatus::NoMeter;
    }
    if (!IsOurModel(link.Reply)) {
        console.Line(noConnection + QStringLiteral(" (the meter on the link is not a 574)"));
        return ExitStatus::NoMeter;
    }
    return ExitStatus::Ok;
}
