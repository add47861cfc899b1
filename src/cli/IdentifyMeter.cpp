#include "cli/IdentifyMeter.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"

int IdentifyMeter(LinkSequence& link, Console& console)
{
    if (const std::optional<QString> problem = MeterIdentityProblem(link)) {
        console.Line(*problem);
        return ExitStatus::NoMeter;
    }
    return ExitStatus::Ok;
}
