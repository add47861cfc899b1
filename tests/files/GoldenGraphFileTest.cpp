#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "HexImage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const double Ten = 44989.0 + 10.0 / 24.0;  // 2023-03-04 10:00:00
const double OneSecond = 1.0 / 86400.0;

// What tests/data/two-points.ghf.hex says, field by field.
ChartState TwoPoints()
{
    ChartState s;
    s.NullDataValueY = 9999.0;
    s.ManualScaleControlX = sgManualMinAndMax;
    s.ManualScaleControlY = sgNoManualScale;
    s.ManualMinX = Ten;
    s.ManualMaxX = Ten + 2 * OneSecond;
    s.ManualMinY = 30.0;
    s.ManualMaxY = 130.0;
    s.MainTitle = QStringLiteral("Street");
    s.SubTitle = QStringLiteral(" ");
    s.XAxisLabel = QStringLiteral("Time");
    s.YAxisLabel = QString();
    s.YAxisColor = PEargb(255, 255, 0, 0);
    s.GridStyle = sgDot;
    s.ViewingStyle = sgMonochrome;
    s.DateTimeMode = sgVBDateTime;
    s.UsingXDataII = true;
    s.AllowZooming = sgHorzPlusVertZooming;
    s.ScrollingHorzZoom = true;
    s.ScrollingVertZoom = false;
    s.ArrowCursor = 2;
    s.AllowDataLabels = sgNoDataLabels;
    s.WorkingAxis = 0;
    s.PrepareImages = true;
    s.SubsetByPoint = false;
    s.AllowPopup = false;
    s.NoHelp = true;
    s.ShowGraphAnnotations = true;
    s.AllowGraphAnnotHotSpots = false;
    s.GraphAnnotationTextSize = 110;
    s.VertLineAnnotation = {Ten, Ten + OneSecond};
    s.VertLineAnnotationText = {QStringLiteral("A"), QStringLiteral("B")};
    s.ShowVertLineAnnotations = true;
    s.AllowVertLineAnnotHotSpots = false;
    s.LineAnnotationTextSize = 90;
    s.AllowTitlesDialog = true;
    s.AllowSubsetsPage = false;
    s.AllowStylePage = true;
    s.Subsets = 1;
    s.Points = 2;
    s.XDataII = {Ten, Ten + OneSecond};
    s.YData = {55.5f, 72.25f};
    s.SubsetLabels = {QStringLiteral("dB")};
    s.SubsetColors = {PEargb(255, 0, 0, 0)};
    s.SubsetLineTypes = {4};
    s.GraphAnnotations = {
        {0, 0.0, 0.0, QString(), PEargb(255, 0, 0, 0)},
        {2, Ten + OneSecond, 72.25, QStringLiteral("Lorry"), PEargb(255, 0, 255, 0)},
    };
    return s;
}

QByteArray GoldenFile(const char* name = "two-points.ghf.hex")
{
    const std::vector<std::uint8_t> bytes = ReadHexImage(name);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// What tests/data/two-points-facts.ghf.hex adds: the facts of the levels.
ChartState TwoPointsWithFacts()
{
    ChartState s = TwoPoints();
    s.Facts = {1, 2, 50, 110, 2.0};
    return s;
}

}  // namespace

TEST(GoldenGraphFile, TheReaderGivesEveryFieldOfTheHandWrittenFile)
{
    const QByteArray file = GoldenFile();
    ASSERT_GT(file.size(), 4);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("two-points.ghf"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    ASSERT_TRUE(block.has_value()) << error.toStdString();
    EXPECT_EQ(block->size(), 274);
    const std::optional<ChartState> state = LoadChartState(*block, &error);
    ASSERT_TRUE(state.has_value()) << error.toStdString();
    // The whole record, then the fields a mix-up would most likely swap, for a readable failure.
    EXPECT_EQ(*state, TwoPoints());
    EXPECT_EQ(state->ManualMaxX, Ten + 2 * OneSecond);
    EXPECT_EQ(state->GraphAnnotationTextSize, 110);
    EXPECT_EQ(state->LineAnnotationTextSize, 90);
    EXPECT_EQ(state->YData, std::vector<float>({55.5f, 72.25f}));
    ASSERT_EQ(state->GraphAnnotations.size(), 2u);
    EXPECT_EQ(state->GraphAnnotations[1].Text, QStringLiteral("Lorry"));
}

TEST(GoldenGraphFile, TheWriterReproducesItByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("written.ghf"));
    QString error;
    ASSERT_TRUE(WriteGraphBlock(path, StoreChartState(TwoPoints()), &error)) << error.toStdString();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), GoldenFile());
}

// A chart with the facts of its levels is version 2, field for field both ways; one without
// them stays version 1, byte for byte as before.
TEST(GoldenGraphFile, TheFactsOfTheLevelsAreReadAndWrittenAsVersionTwo)
{
    const QByteArray file = GoldenFile("two-points-facts.ghf.hex");
    ASSERT_GT(file.size(), 4);
    const QByteArray block = file.mid(4);
    EXPECT_EQ(block.size(), 298);
    QString error;
    const std::optional<ChartState> state = LoadChartState(block, &error);
    ASSERT_TRUE(state.has_value()) << error.toStdString();
    EXPECT_EQ(state->Facts, (RecordingFacts{1, 2, 50, 110, 2.0}));
    EXPECT_EQ(*state, TwoPointsWithFacts());
    EXPECT_EQ(StoreChartState(TwoPointsWithFacts()), block);
    EXPECT_EQ(StoreChartState(TwoPoints()), GoldenFile().mid(4)) << "no facts: version 1";

    // A code the program does not know is a fact not known, not damage.
    QByteArray unknown = block;
    unknown[block.size() - 24] = 9;
    const std::optional<ChartState> read = LoadChartState(unknown, &error);
    ASSERT_TRUE(read.has_value()) << error.toStdString();
    EXPECT_EQ(read->Facts.Weighting, 0);
}
