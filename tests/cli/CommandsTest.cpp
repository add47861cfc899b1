#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "ProgramFixture.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// Where "--name" stands in text as the whole option (--spool is not found in --spool-max), and
// what follows it.
QList<QRegularExpressionMatch> Mentions(const QString& text, const QString& name)
{
    QList<QRegularExpressionMatch> found;
    const QRegularExpression option(QStringLiteral("--%1(?![\\w-])(.?)(.?)").arg(QRegularExpression::escape(name)));
    for (auto matches = option.globalMatch(text); matches.hasNext();)
        found << matches.next();
    return found;
}

}  // namespace

// Each command's options are taken from its parser, so an option added there and not to the
// usage, or a usage that names what the parser refuses, fails here.
TEST(Commands, TheUsageNamesEveryOptionTheParserTakesWithTheFormOfItsValue)
{
    ASSERT_EQ(Commands().size(), 5u);
    for (const Command& command : Commands()) {
        SCOPED_TRACE(command.name);
        const QString lines = CommandUsageLines(command);
        const QString usage = CommandUsage(command);
        QSet<QString> taken;
        for (const QCommandLineOption& option : command.optionList()) {
            const QString name = option.names().front();
            SCOPED_TRACE(name.toStdString());
            taken << name;
            const QList<QRegularExpressionMatch> inLines = Mentions(lines, name);
            ASSERT_FALSE(inLines.isEmpty()) << "not in the usage lines";
            // A value stands after the option ("--out FILE.REC", "--format csv|jsonl|influx"); a
            // switch is followed by the end of its brackets or the next option.
            const QRegularExpressionMatch& first = inLines.front();
            const bool valueFollows = first.captured(1) == QStringLiteral(" ")
                && !QStringLiteral("[]-|").contains(first.captured(2)) && !first.captured(2).isEmpty();
            EXPECT_EQ(valueFollows, !option.valueName().isEmpty()) << lines.toStdString();
            // Its line in the options' descriptions starts with the option.
            EXPECT_TRUE(usage.contains(QRegularExpression(QStringLiteral("\\n  --%1[ \\n]").arg(name))))
                << "no description";
        }
        for (auto word = QRegularExpression(QStringLiteral("--([a-z][\\w-]*)")).globalMatch(lines); word.hasNext();) {
            const QString name = word.next().captured(1);
            EXPECT_TRUE(taken.contains(name)) << "--" << name.toStdString() << " is in the usage but no option";
        }
        EXPECT_TRUE(UsageText().contains(lines)) << "qx574 --help lists every command's usage lines";
    }
}

// The program as a script calls it: the help of every command on standard output, and after a
// usage error the problem and where the usage is, on standard error.
TEST_F(ProgramTest, EachCommandsHelpAndTwoLinesAfterAUsageError)
{
    for (const Command& command : Commands()) {
        const QString name = QString::fromLatin1(command.name);
        SCOPED_TRACE(name.toStdString());
        const QString usage = CommandUsage(command) + u'\n';
        for (const QStringList& arguments : {QStringList{name, "--help"}, QStringList{"help", name},
                                             QStringList{name, "--bogus", "--help"}}) {
            ASSERT_EQ(Run(arguments), 0) << arguments.join(' ').toStdString() << err.toStdString();
            EXPECT_EQ(out, usage) << arguments.join(' ').toStdString();
            EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        }
        ASSERT_EQ(Run({name, "--bogus"}), 1);
        EXPECT_EQ(err, QStringLiteral("Unknown option 'bogus'.\nsee qx574 %1 --help\n").arg(name));
        EXPECT_TRUE(out.isEmpty());
    }
    ASSERT_EQ(Run({"help"}), 0);
    EXPECT_EQ(out, UsageText() + u'\n');
    struct Case {
        QStringList arguments;
        const char* err;
    } cases[] = {
        {{"help", "frobnicate"}, "Unknown command 'frobnicate'.\nsee qx574 --help\n"},
        {{"help", "watch", "report"}, "help names one command.\nsee qx574 --help\n"},
        {{"report", "a.REC", "--periods", "7m"},
         "--periods 7m is not one of 1m, 5m, 10m, 15m, 30m, 60m and 1d.\nsee qx574 report --help\n"},
        {{"watch", "--simulate", "--ha-discovery"}, "--ha-discovery goes with --mqtt.\nsee qx574 watch --help\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(Run(c.arguments), 1);
        EXPECT_EQ(err, QString::fromLatin1(c.err));
    }
}
