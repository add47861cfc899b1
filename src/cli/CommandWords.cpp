#include "cli/CommandWords.h"

#include "cli/Commands.h"

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype NearEnough = 2;

const QStringList FileSuffixes = {QStringLiteral(".ghf"), QStringLiteral(".rec"), QStringLiteral(".qxs"),
                                  QStringLiteral(".txt"), QStringLiteral(".csv")};

// The fewest insertions, deletions and substitutions that turn a into b.
qsizetype EditDistance(const QString& a, const QString& b)
{
    std::vector<qsizetype> row(static_cast<std::size_t>(b.size()) + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[static_cast<std::size_t>(j)] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto k = static_cast<std::size_t>(j);
            const qsizetype substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[k];
            row[k] = std::min({row[k] + 1, row[k - 1] + 1, substitution});
        }
    }
    return row.back();
}

bool NamesAFile(const QString& word, const std::function<bool(const QString&)>& isFile)
{
    return word.contains(u'/')
        || std::any_of(FileSuffixes.begin(), FileSuffixes.end(),
                       [&](const QString& suffix) { return word.endsWith(suffix, Qt::CaseInsensitive); })
        || isFile(word);
}

}  // namespace

bool IsSubcommand(const QStringList& arguments)
{
    return arguments.size() > 1 && (arguments[1] == QLatin1String(HelpWord) || FindCommand(arguments[1]));
}

FirstWord ClassifyFirstWord(const QStringList& arguments, const std::function<bool(const QString&)>& isFile)
{
    if (IsSubcommand(arguments))
        return FirstWord::Command;
    if (arguments.size() < 2)
        return FirstWord::WindowProgram;
    const QString& word = arguments[1];
    if (word.startsWith(u'-') || NamesAFile(word, isFile))
        return FirstWord::WindowProgram;
    return FirstWord::NotACommand;
}

std::optional<QString> NearestCommand(const QString& word)
{
    QStringList names = {QString::fromLatin1(HelpWord)};
    for (const Command& command : Commands())
        names << QString::fromLatin1(command.name);
    std::optional<QString> nearest;
    qsizetype nearestDistance = NearEnough + 1;
    for (const QString& name : names) {
        const qsizetype distance = EditDistance(word.toLower(), name);
        if (distance < nearestDistance) {
            nearest = name;
            nearestDistance = distance;
        }
    }
    return nearest;
}

QString NotACommandText(const QString& word)
{
    if (const std::optional<QString> nearest = NearestCommand(word))
        return QStringLiteral("Unknown command '%1'; did you mean '%2'?").arg(word, *nearest);
    return QStringLiteral("Unknown command '%1'.").arg(word);
}
