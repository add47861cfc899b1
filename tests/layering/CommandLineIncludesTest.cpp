#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

// The command line sits on top: the watch feed, the reports and the windows are started by it
// or beside it, never built on it, so none of them includes its headers.
TEST(Layering, OnlyTheCommandLineAndMainIncludeTheCommandLinesHeaders)
{
    const QDir sources(QStringLiteral(QX574_SOURCE_DIR "/src"));
    const QRegularExpression include(QStringLiteral("^\\s*#include\\s+\"cli/"), QRegularExpression::MultilineOption);
    int files = 0;
    QStringList including;
    QDirIterator found(sources.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (found.hasNext()) {
        const QString path = sources.relativeFilePath(found.next());
        ++files;
        if (path.startsWith(QStringLiteral("cli/")) || path.startsWith(QStringLiteral("app/")))
            continue;
        QFile file(found.filePath());
        if (file.open(QIODevice::ReadOnly) && include.match(QString::fromUtf8(file.readAll())).hasMatch())
            including << path;
    }
    ASSERT_GT(files, 50) << "the sources were not found";
    EXPECT_TRUE(including.isEmpty()) << including.join(QStringLiteral(", ")).toStdString();
}
