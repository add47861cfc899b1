#include "graph/ui/Tslider2.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Tslider2, SettingAValueClampsAndFiresOnlyOnChange)
{
    Tslider2 slider;
    QSignalSpy first(&slider, &Tslider2::OnValueChange1);
    QSignalSpy second(&slider, &Tslider2::OnValueChange2);
    slider.SetValue1(150);
    EXPECT_EQ(slider.Value1(), 100);
    EXPECT_EQ(first.count(), 1);
    slider.SetValue1(100);
    EXPECT_EQ(first.count(), 1);
    slider.SetValue1(-7);
    EXPECT_EQ(slider.Value1(), 0);
    EXPECT_EQ(first.count(), 2);
    slider.SetValue2(100);  // already there
    EXPECT_EQ(second.count(), 0);
    // The thumbs are independent: thumb 1 may pass thumb 2.
    slider.SetValue2(10);
    slider.SetValue1(60);
    EXPECT_EQ(slider.Value1(), 60);
    EXPECT_EQ(slider.Value2(), 10);
}

TEST(Tslider2, MovingTheEndsDragsTheValuesAlong)
{
    Tslider2 slider;
    QSignalSpy first(&slider, &Tslider2::OnValueChange1);
    QSignalSpy second(&slider, &Tslider2::OnValueChange2);
    slider.SetMax(40);
    EXPECT_EQ(slider.Value2(), 40);
    EXPECT_EQ(second.count(), 1);
    EXPECT_EQ(first.count(), 0);
    slider.SetMin(20);
    EXPECT_EQ(slider.Value1(), 20);
    EXPECT_EQ(first.count(), 1);
    slider.SetMin(20);
    EXPECT_EQ(first.count(), 1);
}

TEST(Tslider2, DraggingAThumbByItsTravelMovesByTheWholeRange)
{
    Tslider2 slider;
    slider.resize(220, 20);
    slider.ThumbHeight = 20;
    slider.SetValue2(50);
    QSignalSpy first(&slider, &Tslider2::OnValueChange1);
    const QPoint thumb1 = slider.ThumbRect(1).center();
    QTest::mousePress(&slider, Qt::LeftButton, {}, thumb1);
    QTest::mouseMove(&slider, thumb1 + QPoint(200, 0));
    EXPECT_EQ(slider.Value1(), 100);
    QTest::mouseMove(&slider, thumb1 + QPoint(2, 0));  // 2 * 100 / 200 = 1
    EXPECT_EQ(slider.Value1(), 1);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, thumb1 + QPoint(2, 0));
    QTest::mouseMove(&slider, thumb1 + QPoint(100, 0));
    EXPECT_EQ(slider.Value1(), 1) << "the drag ended with the release";
    EXPECT_EQ(slider.Value2(), 50);
}

TEST(Tslider2, OverlappingThumbsGiveThePressToThumbOne)
{
    Tslider2 slider;
    slider.resize(220, 20);
    slider.SetValue1(50);
    slider.SetValue2(50);
    const QPoint both = slider.ThumbRect(1).center();
    QTest::mousePress(&slider, Qt::LeftButton, {}, both);
    QTest::mouseMove(&slider, both + QPoint(-100, 0));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, both + QPoint(-100, 0));
    EXPECT_EQ(slider.Value1(), 0);
    EXPECT_EQ(slider.Value2(), 50);
}

TEST(Tslider2, AnEmptyRangeNeitherDividesByZeroNorMoves)
{
    Tslider2 slider;
    slider.SetMax(0);
    EXPECT_EQ(slider.ThumbRect(1).left(), 0);
    EXPECT_EQ(slider.ThumbRect(2).left(), 0);
}

}  // namespace
