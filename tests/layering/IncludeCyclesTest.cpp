#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A unit is a header with its source file, named by their common stem.
using IncludeGraph = std::map<QString, std::set<QString>>;

IncludeGraph ReadIncludes(const QString& root)
{
    IncludeGraph graph;
    const QRegularExpression include(QStringLiteral("^\\s*#include\\s+\"([^\"]+)\\.h\""),
                                     QRegularExpression::MultilineOption);
    QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    std::set<QString> units;
    std::vector<std::pair<QString, QString>> edges;
    while (files.hasNext()) {
        const QString path = files.next();
        const QString unit = QFileInfo(path).completeBaseName();
        units.insert(unit);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();)
            edges.emplace_back(unit, QFileInfo(match.next().captured(1)).fileName());
    }
    for (const QString& unit : units)
        graph[unit];
    for (const auto& [from, to] : edges)
        if (units.count(to) && from != to)
            graph[from].insert(to);
    return graph;
}

// The first circle found, as the units along it; empty when there is none.
std::vector<QString> FindCircle(const IncludeGraph& graph)
{
    enum class Mark { New, Open, Done };
    std::map<QString, Mark> marks;
    std::vector<QString> path;
    std::vector<QString> circle;
    std::function<bool(const QString&)> visit = [&](const QString& unit) {
        marks[unit] = Mark::Open;
        path.push_back(unit);
        for (const QString& next : graph.at(unit)) {
            if (marks[next] == Mark::Open) {
                circle.assign(std::find(path.begin(), path.end(), next), path.end());
                circle.push_back(next);
                return true;
            }
            if (marks[next] == Mark::New && visit(next))
                return true;
        }
        path.pop_back();
        marks[unit] = Mark::Done;
        return false;
    };
    for (const auto& [unit, includes] : graph)
        if (marks[unit] == Mark::New && visit(unit))
            return circle;
    return {};
}

}  // namespace

TEST(Layering, NoIncludeCircleInTheSources)
{
    const IncludeGraph graph = ReadIncludes(QStringLiteral(QX574_SOURCE_DIR "/src"));
    ASSERT_GT(graph.size(), 50u) << "the sources were not found";
    std::vector<QString> circle = FindCircle(graph);
    QStringList shown;
    for (const QString& unit : circle)
        shown << unit;
    EXPECT_TRUE(circle.empty()) << shown.join(QStringLiteral(" -> ")).toStdString();
}

TEST(Layering, ACircleIsFound)
{
    const IncludeGraph graph{{"A", {"B"}}, {"B", {"C"}}, {"C", {"A"}}, {"D", {"A"}}};
    const std::vector<QString> circle = FindCircle(graph);
    ASSERT_EQ(circle.size(), 4u);
    EXPECT_EQ(circle.front(), circle.back());
}
