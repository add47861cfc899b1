#include "cli/RecordingProblems.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"

void SayWarnings(const QStringList& warnings, Console& console)
{
    for (const QString& warning : warnings)
        console.Line(QStringLiteral("Warning: ") + warning);
}

int SayProblem(const RecordingProblem& problem, Console& console)
{
    console.Line(problem.message);
    return problem.kind == RecordingProblem::Kind::NoData ? ExitStatus::NoData : ExitStatus::File;
}
