#include "files/ChartStateBlock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ChartState SampleChart()
{
    ChartState state;
    SetChartSize(state, 2, 3);
    state.XDataII = {45000.5, 45000.5 + 1.0 / 86400, 45000.5 + 2.0 / 86400, 1.0, 2.0, 3.0};
    state.YData = {60.5f, 9999.0f, 72.25f, 1.0f, 2.0f, 3.0f};
    state.MainTitle = QStringLiteral("Hall — evening");
    state.SubTitle = QStringLiteral(" ");
    state.XAxisLabel = QStringLiteral("Time");
    state.SubsetLabels = {QStringLiteral("dB"), QStringLiteral("Leq")};
    state.SubsetColors = {PEargb(255, 0, 0, 0), PEargb(255, 0, 0, 255)};
    state.SubsetLineTypes = {0, 2};
    state.YAxisColor = PEargb(255, 255, 0, 0);
    state.ManualScaleControlY = sgManualMinAndMax;
    state.ManualMinY = 30.0;
    state.ManualMaxY = 130.0;
    state.ViewingStyle = sgMonochrome;
    EnsureAnnotation(state, 6);
    state.GraphAnnotations[5] = {2, 45000.5, 70.0, QString(), PEargb(255, 0, 0, 0)};
    state.GraphAnnotations[6] = {0, 45000.6, 80.0, QStringLiteral("door"), PEargb(255, 1, 2, 3)};
    state.VertLineAnnotation = {45000.5, 45000.6};
    state.VertLineAnnotationText = {QStringLiteral("|t12:00:00\n60.5dB"), QStringLiteral("b")};
    return state;
}

TEST(ChartStateBlock, RoundTripKeepsEveryField)
{
    const ChartState state = SampleChart();
    const auto loaded = LoadChartState(StoreChartState(state));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, state);
}

TEST(ChartStateBlock, EmptyChartRoundTrips)
{
    ChartState state;
    SetChartSize(state, 1, 0);
    const auto loaded = LoadChartState(StoreChartState(state));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, state);
}

TEST(ChartStateBlock, EveryTruncationIsRejected)
{
    const QByteArray block = StoreChartState(SampleChart());
    for (qsizetype size = 0; size < block.size(); ++size) {
        QString error;
        EXPECT_FALSE(LoadChartState(block.left(size), &error).has_value()) << size;
        EXPECT_FALSE(error.isEmpty());
    }
}

// Overwrites the 32-bit value at the offset of the first occurrence of `was`.
QByteArray Patched(QByteArray block, std::int32_t was, std::int32_t now, qsizetype from = 8)
{
    const QByteArray old(reinterpret_cast<const char*>(&was), 4);
    const qsizetype at = block.indexOf(old, from);
    EXPECT_GE(at, 0);
    std::memcpy(block.data() + at, &now, 4);
    return block;
}

TEST(ChartStateBlock, DamagedHeadersAndCountsAreRejected)
{
    ChartState state;
    SetChartSize(state, 1, 777);
    const QByteArray block = StoreChartState(state);
    // The subsets count comes right before the points count 777.
    const qsizetype points = block.indexOf(QByteArray("\x09\x03\x00\x00", 4));
    ASSERT_GT(points, 4);
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"wrong magic", QByteArray("XXXX") + block.mid(4)},
        {"wrong version", Patched(block, 1, 99, 4)},
        {"more points than bytes", Patched(block, 777, 778, points)},
        {"huge point count", Patched(block, 777, 0x7fffffff, points)},
        {"negative point count", Patched(block, 777, -1, points)},
        {"zero subsets", Patched(block, 1, 0, points - 4)},
        {"huge subset count", Patched(block, 1, 1 << 30, points - 4)},
        {"fewer points than bytes", Patched(block, 777, 776, points)},
        {"bytes after the end", block + QByteArray(3, '\0')},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(LoadChartState(c.bytes).has_value()) << c.what;
}

TEST(ChartStateBlock, HugeTextOrAnnotationCountIsRejectedWithoutAllocating)
{
    ChartState state;
    state.MainTitle = QStringLiteral("abc");
    const QByteArray block = StoreChartState(state);
    EXPECT_FALSE(LoadChartState(Patched(block, 3, 0x7ffffff0)).has_value());

    const QByteArray notes = StoreChartState(ChartState{});
    QByteArray lastCount = notes;
    const std::uint32_t huge = 0xfffffff0u;
    std::memcpy(lastCount.data() + lastCount.size() - 4, &huge, 4);
    EXPECT_FALSE(LoadChartState(lastCount).has_value());
}

TEST(ChartStateBlock, AnyDamagedByteIsRejectedOrLoadsWithinBounds)
{
    const QByteArray block = StoreChartState(SampleChart());
    for (qsizetype at = 0; at < block.size(); ++at) {
        for (const char value : {'\x00', '\x7f', '\xff'}) {
            QByteArray damaged = block;
            damaged[at] = value;
            const auto loaded = LoadChartState(damaged);
            if (loaded) {
                const auto cells = static_cast<std::size_t>(loaded->Subsets) * loaded->Points;
                EXPECT_EQ(loaded->XDataII.size(), cells) << at;
                EXPECT_EQ(loaded->YData.size(), cells) << at;
                EXPECT_EQ(loaded->SubsetLabels.size(), static_cast<std::size_t>(loaded->Subsets)) << at;
            }
        }
    }
}

TEST(ChartSize, EmptiesEveryPointAndKeepsTheLook)
{
    ChartState state = SampleChart();
    SetChartSize(state, 1, 4);
    EXPECT_EQ(state.XDataII, std::vector<double>(4, 0.0));
    EXPECT_EQ(state.YData, std::vector<float>(4, 9999.0f));
    EXPECT_EQ(state.SubsetLabels[1], QStringLiteral("Leq"));
    EXPECT_FALSE(EnsureAnnotation(state, -1));
    EXPECT_FALSE(EnsureAnnotation(state, MaxAnnotations));
}

}  // namespace
