#include "cli/ConvertArguments.h"

#include "cli/ConvertCommand.h"
#include "cli/UsageError.h"

#include <QCommandLineParser>

namespace {

struct ConvertOptionSet {
    QCommandLineOption csv{QStringLiteral("csv"), QString(), QStringLiteral("file")};
    QCommandLineOption sets{QStringLiteral("sets"), QString(), QStringLiteral("file")};

    QList<QCommandLineOption> All() const { return {csv, sets}; }
};

}  // namespace

QList<QCommandLineOption> ConvertOptionList() { return ConvertOptionSet().All(); }

int RunConvertArguments(const QStringList& arguments, Console& console)
{
    const ConvertOptionSet options;
    const QString command = QStringLiteral("convert");
    QCommandLineParser parser;
    parser.addOptions(options.All());
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText(), command);
    if (parser.positionalArguments().size() != 1)
        return UsageError(console, QStringLiteral("convert needs one collection file."), command);
    return RunConvert(
        {parser.positionalArguments().front(), parser.value(options.csv), parser.value(options.sets)}, console);
}
