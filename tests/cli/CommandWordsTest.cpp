#include "cli/CommandWords.h"
#include "ProgramFixture.h"

#include <gtest/gtest.h>

TEST(CommandWords, TheFirstWordRunsACommandStartsTheWindowsOrIsAUsageError)
{
    const QString existing = QStringLiteral("notes");
    const auto isFile = [&](const QString& word) { return word == existing; };
    struct Case {
        QStringList words;
        FirstWord first;
    } cases[] = {
        {{}, FirstWord::WindowProgram},
        {{"report", "night.REC"}, FirstWord::Command},
        {{"meters"}, FirstWord::Command},
        {{"help"}, FirstWord::Command},
        {{"--simulate", "frobnicate"}, FirstWord::WindowProgram},
        {{"-platform", "offscreen"}, FirstWord::WindowProgram},
        // Files to open, by their suffix in either case, a folder in their name, or as they exist.
        {{"night.REC"}, FirstWord::WindowProgram},
        {{"night.rec"}, FirstWord::WindowProgram},
        {{"day.ghf"}, FirstWord::WindowProgram},
        {{"mill-lane.qxs"}, FirstWord::WindowProgram},
        {{"list.txt"}, FirstWord::WindowProgram},
        {{"LOG.CSV"}, FirstWord::WindowProgram},
        {{"surveys/night"}, FirstWord::WindowProgram},
        {{"notes"}, FirstWord::WindowProgram},
        // Anything else names nothing the program knows.
        {{"frobnicate"}, FirstWord::NotACommand},
        {{"lbrary"}, FirstWord::NotACommand},
        {{"Report"}, FirstWord::NotACommand},
        {{"night.pdf"}, FirstWord::NotACommand},
        {{"rec"}, FirstWord::NotACommand},
        {{""}, FirstWord::NotACommand},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.join(' ').toStdString());
        EXPECT_EQ(ClassifyFirstWord(QStringList{"qx574"} + c.words, isFile), c.first);
    }
}

TEST(CommandWords, ACommandTwoEditsAwayIsSuggested)
{
    struct Case {
        const char* word;
        const char* nearest;  // none when nullptr
    } cases[] = {
        {"reprot", "report"}, {"wacth", "watch"}, {"Meter", "meters"}, {"dowload", "download"},
        {"hlp", "help"},      {"convret", "convert"}, {"lbrary", nullptr}, {"frobnicate", nullptr},
        {"conv", nullptr},    {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const std::optional<QString> nearest = NearestCommand(QString::fromLatin1(c.word));
        EXPECT_EQ(nearest.value_or(QStringLiteral("(none)")),
                  c.nearest ? QString::fromLatin1(c.nearest) : QStringLiteral("(none)"));
    }
    EXPECT_EQ(NotACommandText(QStringLiteral("reprot")), "Unknown command 'reprot'; did you mean 'report'?");
    EXPECT_EQ(NotACommandText(QStringLiteral("lbrary")), "Unknown command 'lbrary'.");
}

// Neither an unknown word nor a window program without a display gets as far as Qt's platform
// plugin, which would end the process with a message about plugins.
TEST_F(ProgramTest, AnUnknownWordOrNoDisplayIsOneLineAndStatusOne)
{
    EXPECT_EQ(Run({"frobnicate"}), 1);
    EXPECT_EQ(err, "Unknown command 'frobnicate'.\nsee qx574 --help\n");
    EXPECT_TRUE(out.isEmpty());

    const QString noDisplay = QStringLiteral(
        "The window program needs a display (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM); the commands work "
        "without one: qx574 --help lists them.\n");
    for (const QStringList& arguments : {QStringList{}, QStringList{"--simulate"}, QStringList{Path("night.REC")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(Run(arguments), 1);
        EXPECT_EQ(err, noDisplay) << "a file to open is no usage error";
    }
}
