#include "cli/IdentifyMeter.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterStatus.h"

int IdentifyMeter(LinkSequence& link, Console& console)
{
    const QString noConnection = QString::fromLatin1(NoConnectionText);
    if (!ExchangeCommand(link, Cmd::Identify)) {
        console.Line(noConnection);
        return ExitStatus::NoMeter;
    }
    if (!IsOurModel(link.Reply())) {
        console.Line(noConnection + QStringLiteral(" (the meter on the link is not a 574)"));
        return ExitStatus::NoMeter;
    }
    return ExitStatus::Ok;
}
