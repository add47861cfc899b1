#include "GraphWindowFixture.h"

#include "graph/Annotations.h"
#include "graph/ui/TfrmAnnoEdit.h"
#include "graph/ui/TfrmDelAnno.h"
#include "shell/ui/StringGrid.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

TEST(ErasableMarks, ListCrossesAndTextsFromIndexFive)
{
    std::vector<GraphAnnotation> notes(10);
    notes[2] = {2, 1.0, 1.0, QString(), 0};          // the program's own
    notes[5] = {2, 5.0, 1.0, QString(), 0};
    notes[6] = {0, 6.0, 1.0, QString(), 0};          // erased: not listed
    notes[7] = {0, 7.0, 1.0, QStringLiteral("fan"), 0};
    notes[8] = {2, 8.0, 1.0, QString(), 0};          // past the program's counter: still listed
    const auto marks = ErasableMarks(notes);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].index, 5);
    EXPECT_EQ(marks[0].contents, QStringLiteral("X"));
    EXPECT_EQ(marks[1].index, 7);
    EXPECT_EQ(marks[1].contents, QStringLiteral("fan"));
    EXPECT_EQ(marks[2].index, 8);
    EXPECT_TRUE(ErasableMarks({}).empty());
}

TEST(NextMarkIndex, GoesPastTheCounterAndEveryMarkTheChartShows)
{
    std::vector<GraphAnnotation> notes(12);
    notes[9] = {2, 1.0, 1.0, QString(), 0};
    notes[11] = {0, 1.0, 1.0, QString(), 0};  // erased: free again
    struct Case { int counter; int next; } cases[] = {{4, 10}, {9, 10}, {10, 11}, {20, 21}};
    for (const Case& c : cases)
        EXPECT_EQ(NextMarkIndex(notes, c.counter), c.next) << c.counter;
    EXPECT_EQ(NextMarkIndex({}, 4), 5);
}

class AnnotationTest : public GraphWindowTest {
protected:
    void ClickAt(QPoint at) { QTest::mouseClick(window->PESGraph1->Plot(), Qt::LeftButton, {}, at); }
};

TEST_F(AnnotationTest, ACrossGoesWhereThePointersMiddleIs)
{
    Fill({50, 60, 70, 80});
    window->ToolButton5->click();
    const QRect area = window->PESGraph1->PlotArea();
    // Just left of the plot area, but the cross's middle lies inside.
    const QPoint hotSpot(area.left() - 10, area.center().y());
    ClickAt(hotSpot);
    EXPECT_EQ(window->Tools.LastAnnotation, 5);
    const GraphAnnotation mark = window->PESGraph1->GraphAnnotationAt(5);
    EXPECT_EQ(mark.Type, 2);
    const QPointF expected = window->PESGraph1->PixelToData(hotSpot + QPoint(15, 15));
    EXPECT_DOUBLE_EQ(mark.X, expected.x());
    EXPECT_DOUBLE_EQ(mark.Y, expected.y());
    // Far outside: nothing.
    ClickAt(QPoint(area.left() - 40, area.center().y()));
    EXPECT_EQ(window->Tools.LastAnnotation, 5);
    // The normal pointer places nothing.
    window->ToolButton4->click();
    ClickAt(area.center());
    EXPECT_EQ(window->Tools.LastAnnotation, 5);
}

TEST_F(AnnotationTest, TextMarksTakeAnIndexOnlyWhenAccepted)
{
    Fill({50, 60, 70, 80});
    window->ToolButton9->click();
    const QPoint at = window->PESGraph1->PlotArea().center();
    fake.prompts.onModal = [](QDialog&) { return int(QDialog::Rejected); };
    ClickAt(at);
    EXPECT_EQ(window->Tools.LastAnnotation, 4);
    fake.prompts.onModal = [](QDialog& dialog) {
        dynamic_cast<TfrmAnnoEdit&>(dialog).Edit1->setText(QStringLiteral("pump starts"));
        return int(QDialog::Accepted);
    };
    ClickAt(at);
    EXPECT_EQ(window->Tools.LastAnnotation, 5);
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(5).Text, QStringLiteral("pump starts"));
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(5).Type, 0);
}

TEST_F(AnnotationTest, SelectedRowsAreErasedAtOnce)
{
    Fill({50, 60, 70, 80});
    for (int i = 5; i <= 7; ++i)
        window->PESGraph1->SetGraphAnnotation(i, {2, At(10, 0, i - 5), 60.0, QString(), 0xff000000u});
    window->Tools.LastAnnotation = 7;
    int listed = -1;
    fake.prompts.onModal = [&](QDialog& dialog) {
        auto& erase = dynamic_cast<TfrmDelAnno&>(dialog);
        EXPECT_EQ(erase.windowTitle(), QStringLiteral("Erase Annotation"));
        EXPECT_TRUE(erase.BitBtn1->isEnabled());
        listed = erase.StringGrid1->RowCount() - 1;
        EXPECT_EQ(erase.StringGrid1->Cell(1, 2), QStringLiteral("3/4/2023 10:00:01 AM"));
        auto* selection = erase.StringGrid1->selectionModel();
        const auto* model = erase.StringGrid1->model();
        selection->select(model->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->select(model->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return int(QDialog::Accepted);
    };
    window->ToolButton13->click();
    EXPECT_EQ(listed, 3);
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(5).Type, 0);
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(6).Type, 2);
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(7).Type, 0);
}

TEST_F(AnnotationTest, MarksOpenedWithAChartAreKeptAndListedBeyondIndex255)
{
    Fill({50, 60, 70, 80});
    // As a graph file with 300 marks would bring them; the program's counter knows nothing of them.
    for (int i = 5; i <= 300; ++i)
        window->PESGraph1->SetGraphAnnotation(i, {0, At(10, 0, 1), 60.0, QStringLiteral("m%1").arg(i), 0xff000000u});
    window->ToolButton5->click();
    QTest::mouseClick(window->PESGraph1->Plot(), Qt::LeftButton, {}, window->PESGraph1->PlotArea().center());
    EXPECT_EQ(window->Tools.LastAnnotation, 301);
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(5).Text, QStringLiteral("m5")) << "nothing replaced";
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(301).Type, 2);

    fake.prompts.onModal = [&](QDialog& dialog) {
        auto& erase = dynamic_cast<TfrmDelAnno&>(dialog);
        EXPECT_EQ(erase.StringGrid1->RowCount() - 1, 297);
        EXPECT_EQ(erase.StringGrid1->Cell(2, 296), QStringLiteral("m300"));
        erase.StringGrid1->selectionModel()->select(erase.StringGrid1->model()->index(295, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return int(QDialog::Accepted);
    };
    window->ToolButton13->click();
    EXPECT_TRUE(window->PESGraph1->GraphAnnotationAt(300).Text.isEmpty()) << "row 296 names mark 300";
    EXPECT_EQ(window->PESGraph1->GraphAnnotationAt(299).Text, QStringLiteral("m299"));
}

TEST_F(AnnotationTest, AnEmptyListCannotDelete)
{
    bool deleteEnabled = true;
    fake.prompts.onModal = [&](QDialog& dialog) {
        deleteEnabled = dynamic_cast<TfrmDelAnno&>(dialog).BitBtn1->isEnabled();
        return int(QDialog::Rejected);
    };
    window->ToolButton13->click();
    EXPECT_FALSE(deleteEnabled);
}

}  // namespace
