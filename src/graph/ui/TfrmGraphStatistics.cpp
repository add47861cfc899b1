// The graph window's statistics, cursors and pointer readout.
#include "graph/ui/TfrmGraph.h"

#include "graph/GraphBoxes.h"
#include "graph/GraphStatistics.h"
#include "graph/SliderMath.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/Tslider2.h"
#include "shell/Formats.h"
#include "shell/ui/Prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void TfrmGraph::ClearStatistics()
{
    for (QLineEdit* box : {txtStartTime, txtAvgAll, txtMax, txtMaxTime, txtMin, txtMinTime})
        box->clear();
    txtSamplingRate->setEditText(QString());
    txtDataNo->setText(QStringLiteral("0"));
}

void TfrmGraph::RefreshStatistics()
{
    // Empty points at the end are no samples: counting them would put the null level into
    // the mean and the maximum.
    const int points = FilledPoints(PESGraph1->XSubset(0), PESGraph1->Points());
    if (points == 0) {
        ClearStatistics();
    } else {
        const StatisticBoxes boxes = WholeGraphBoxes(PESGraph1->XSubset(0), PESGraph1->YSubset(0), points);
        txtStartTime->setText(boxes.startTime);
        txtSamplingRate->setEditText(boxes.samplingRate);
        txtDataNo->setText(boxes.dataNo);
        txtAvgAll->setText(boxes.avgAll);
        txtMax->setText(boxes.max);
        txtMaxTime->setText(boxes.maxTime);
        txtMin->setText(boxes.min);
        txtMinTime->setText(boxes.minTime);
    }
    FormResize();
    const SliderFrame frame = SliderFrameFor(points);
    SetSlider(frame.minimum, frame.maximum, frame.value1, frame.value2);
}

void TfrmGraph::SetSlider(int minimum, int maximum, int value1, int value2)
{
    Slider1->SetMin(minimum);
    Slider1->SetMax(maximum);
    Slider1->SetValue1(value1);
    Slider1->SetValue2(value2);
    // Unchanged values raise no event, yet the cursors must sit in this chart.
    Slider1ValueChange1();
}

void TfrmGraph::ShowCursor(int line, int index, QLineEdit* level, QLineEdit* time)
{
    const double x = PESGraph1->XDataII(0, index);
    const float y = PESGraph1->YData(0, index);
    level->setText(OneDecimalText(y));
    time->setText(DateTimeText(x));
    PESGraph1->SetVertLineAnnotation(
        line, x, QStringLiteral("|t") + TimeText(x) + u'\n' + OneDecimalText(y) + QStringLiteral("dB"));
}

void TfrmGraph::Slider1ValueChange1()
{
    Tools.CursorA = Slider1->Value1();
    Tools.CursorB = Slider1->Value2();
    if (Slider1->Maximum() != 0) {
        ShowCursor(0, Tools.CursorA, txtCursorA, txtCursorATime);
        ShowCursor(1, Tools.CursorB, txtCursorB, txtCursorBTime);
        UpdateCursorStatistics();
        pnlSlider->update();
        RedrawChart();
    }
    emit CursorsMoved();
}

void TfrmGraph::UpdateCursorStatistics()
{
    const StatisticBoxes boxes =
        GraphBoxes(PESGraph1->XSubset(0), PESGraph1->YSubset(0), FilledPoints(PESGraph1->XSubset(0), PESGraph1->Points()),
                   Tools.CursorA, Tools.CursorB);
    txtAvgAB->setText(boxes.avgAB);
    txtMaxAB->setText(boxes.maxAB);
    txtMaxABTime->setText(boxes.maxABTime);
    txtMinAB->setText(boxes.minAB);
    txtMinABTime->setText(boxes.minABTime);
}

void TfrmGraph::PESGraph1MouseMove()
{
    const QPoint at = PESGraph1->LastMousePos();
    if (!PESGraph1->PlotArea().contains(at))
        return;
    const QPointF data = PESGraph1->PixelToData(at);
    Panel12->setText(OneDecimalText(data.y()) + QStringLiteral("dB") + u'@'
                     + TimeText(WithoutMilliseconds(data.x())));
    Panel12->adjustSize();
    Panel12->show();
}

StatisticBoxes TfrmGraph::Statistics() const
{
    return {txtStartTime->text(), txtSamplingRate->currentText(), txtDataNo->text(), txtAvgAll->text(),
            txtMax->text(),       txtMaxTime->text(),             txtMin->text(),    txtMinTime->text(),
            txtCursorA->text(),   txtCursorATime->text(),         txtCursorB->text(), txtCursorBTime->text(),
            txtMaxAB->text(),     txtMaxABTime->text(),           txtMinAB->text(),  txtMinABTime->text(),
            txtAvgAB->text()};
}

void TfrmGraph::Button2Click()
{
    QApplication::clipboard()->setText(StatisticText(Statistics()));
    CurrentPrompts().ShowMessage(QStringLiteral("The statistic has been copy to clipboard"));
}
