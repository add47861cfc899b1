#include "GraphWindowFixture.h"

#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/PrintGraph.h"
#include "graph/ui/TfrmCustomize.h"
#include "print/ui/SharedPrinter.h"

#include <qcustomplot.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTabWidget>

namespace {

class PrintGraphTest : public GraphWindowTest {
protected:
    PrintGraphTest()
    {
        SharedPrinter().setOutputFormat(QPrinter::PdfFormat);
        SharedPrinter().setOutputFileName(pdf);
    }
    ~PrintGraphTest() override { SharedPrinter().setOutputFileName(QString()); }

    // Answers the customization dialog, noting the pages it offered.
    void AnswerCustomize(int result)
    {
        fake.prompts.onModal = [this, result](QDialog& dialog) {
            auto& customize = dynamic_cast<TfrmCustomize&>(dialog);
            offered.clear();
            for (int i = 0; i < customize.Pages->count(); ++i)
                offered << customize.Pages->tabText(i);
            return result;
        };
    }

    QString pdf = environment.Root() + QStringLiteral("/graph.pdf");
    QStringList offered;
};

TEST_F(PrintGraphTest, TheCustomizationOffersThePrintPagesThenTheChartPrints)
{
    Fill({50, 61.5f, 72, 65, 58});
    AnswerCustomize(QDialog::Rejected);
    fake.prompts.printAnswers = {true};
    EXPECT_TRUE(PrintGraph(*window->PESGraph1));
    EXPECT_EQ(offered, QStringList{QStringLiteral("Style")});
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_GT(printed.size(), 1000);
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));

    // Graph Option offers every page again.
    AnswerCustomize(QDialog::Rejected);
    window->Button1Click();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Titles"), QStringLiteral("Subsets"), QStringLiteral("Style")}));
}

TEST_F(PrintGraphTest, ATemplateSavedOnTheWayKeepsEveryPage)
{
    Fill({50, 60});
    AnswerCustomize(QDialog::Accepted);
    fake.prompts.answers = {Prompts::Answer::Yes};
    fake.prompts.printAnswers = {false};
    EXPECT_FALSE(PrintGraph(*window->PESGraph1)) << "the print dialog was cancelled";
    EXPECT_EQ(fake.prompts.questions, QStringList{QStringLiteral("Do you want to save the changes ?")});
    EXPECT_FALSE(QFile::exists(pdf));

    const std::optional<QByteArray> block = ReadGraphBlock(TemplatePath(), nullptr);
    ASSERT_TRUE(block);
    const std::optional<ChartState> state = LoadChartState(*block);
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->AllowTitlesDialog);
    EXPECT_TRUE(state->AllowSubsetsPage);
}

TEST_F(PrintGraphTest, OnPaperTheCurveKeepsItsWidthScaledWithTheChart)
{
    Fill({50, 50, 50, 50, 50});
    window->PESGraph1->State().SubsetColors = {PEargb(255, 0, 200, 0)};
    window->PESGraph1->Refresh();
    const QPicture picture = window->PESGraph1->Picture(QSize(400, 300));

    // Played back four times larger, as on a printer: a one-pixel curve must be four wide,
    // not one dot of the finer resolution.
    QImage paper(1600, 1200, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        QPainter painter(&paper);
        painter.scale(4.0 * paper.logicalDpiX() / picture.logicalDpiX(), 4.0 * paper.logicalDpiY() / picture.logicalDpiY());
        painter.drawPicture(0, 0, picture);
    }
    int thickest = 0;
    for (int x = 400; x < 1200; x += 50) {
        int green = 0;
        for (int y = 0; y < paper.height(); ++y)
            green += QColor(paper.pixel(x, y)).green() > 150 && QColor(paper.pixel(x, y)).red() < 100;
        thickest = std::max(thickest, green);
    }
    EXPECT_GE(thickest, 3);
    EXPECT_LE(thickest, 8);
    EXPECT_TRUE(window->PESGraph1->Plot()->graph(0)->pen().isCosmetic()) << "the screen keeps its fast pen";
}

}  // namespace
