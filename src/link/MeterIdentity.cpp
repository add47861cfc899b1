#include "link/MeterIdentity.h"

#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterStatus.h"

std::optional<QString> MeterIdentityProblem(LinkSequence& link)
{
    const QString noConnection = QString::fromLatin1(NoConnectionText);
    if (!ExchangeCommand(link, Cmd::Identify))
        return noConnection;
    if (!IsOurModel(link.Reply()))
        return noConnection + QStringLiteral(" (the meter on the link is not a 574)");
    return std::nullopt;
}
