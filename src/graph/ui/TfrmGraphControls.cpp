// Building the graph window's controls; the handlers are in TfrmGraph.cpp.
#include "graph/ui/TfrmGraph.h"

#include "graph/ui/PESGraph.h"
#include "graph/ui/ToolIcons.h"
#include "graph/ui/Tslider2.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T* Named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit* Box(QWidget* parent, const QString& name, int width, const QString& text = QString())
{
    auto* box = Named(new QLineEdit(text, parent), name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    // Boxes give up a third of their width before a narrow window lets them overlap labels.
    box->setMinimumWidth(width * 2 / 3);
    box->setMaximumWidth(width);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

// A box for a date and time: always wide enough for the longest text of the user's formats.
QLineEdit* TimeBox(QWidget* parent, const QString& name)
{
    QLineEdit* box = Box(parent, name, 170);
    const double longest = DaysFromDateAndTime(QDate(2026, 12, 28), QTime(22, 58, 58));
    const int width = box->fontMetrics().horizontalAdvance(DateTimeText(longest)) + 14;
    box->setMinimumWidth(width);
    box->setMaximumWidth(std::max(width, 170));
    return box;
}

QLabel* Label(QWidget* parent, const QString& text, const QColor& color = QColor())
{
    auto* label = new QLabel(text, parent);
    if (color.isValid())
        label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(color.name()));
    return label;
}

QFrame* Panel(QWidget* parent, const QString& name)
{
    auto* panel = Named(new QFrame(parent), name);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

}  // namespace

void TfrmGraph::BuildControls()
{
    // Read-only boxes keep black text; the rate box's panel is disabled outside real time.
    setStyleSheet(QStringLiteral("QLineEdit[readOnly=\"true\"] { background: #f4f6f8; }"
                                 "QComboBox:disabled, QLabel:disabled { color: black; }"));
    BuildDataSets();

    auto* right = new QWidget(this);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(2, 0, 2, 2);
    column->setSpacing(2);
    BuildToolBar();
    column->addWidget(ToolBar1);
    pnlGraphStatistic = Panel(right, QStringLiteral("pnlGraphStatistic"));
    column->addWidget(pnlGraphStatistic);
    BuildGraphStatistic();

    Splitter1 = Named(new QSplitter(Qt::Vertical, right), QStringLiteral("Splitter1"));
    pnlGraph = Named(new QWidget(Splitter1), QStringLiteral("pnlGraph"));
    auto* graphLayout = new QVBoxLayout(pnlGraph);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    PESGraph1 = Named(new PESGraph(pnlGraph), QStringLiteral("PESGraph1"));
    graphLayout->addWidget(PESGraph1);
    Panel12 = Named(new QLabel(pnlGraph), QStringLiteral("Panel12"));
    Panel12->setStyleSheet(QStringLiteral("background: #fffbe6; color: #202020; padding: 1px 4px;"));
    Panel12->hide();
    Panel12->raise();
    pnlGraph->installEventFilter(this);

    pnlStatistic = Panel(Splitter1, QStringLiteral("pnlStatistic"));
    BuildCursorStatistic();
    Splitter1->addWidget(pnlGraph);
    Splitter1->addWidget(pnlStatistic);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setCollapsible(0, false);
    column->addWidget(Splitter1, 1);

    Splitter2 = Named(new QSplitter(Qt::Horizontal, this), QStringLiteral("Splitter2"));
    Splitter2->addWidget(pnlDataSets);
    Splitter2->addWidget(right);
    Splitter2->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter2);
}

void TfrmGraph::BuildDataSets()
{
    pnlDataSets = Panel(this, QStringLiteral("pnlDataSets"));
    pnlDataSets->setMinimumWidth(375);
    auto* layout = new QVBoxLayout(pnlDataSets);
    auto* title = new QLabel(QStringLiteral("Data Sets"), pnlDataSets);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    layout->addWidget(title);
    Grid2 = Named(new StringGrid(8, 2, pnlDataSets), QStringLiteral("Grid2"));
    Grid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid2->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid2->setCursor(Qt::PointingHandCursor);
    Grid2->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* change = Named(new QAction(QStringLiteral("Change Date && Time"), Grid2), QStringLiteral("ChangeDateTime1"));
    Grid2->addAction(change);
    connect(change, &QAction::triggered, this, [this] { emit ChangeDateTimeRequested(Grid2->SelectedRow()); });
    // The current row is the one shown, whether clicked or moved to with the keys.
    connect(Grid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emit Grid2Clicked(current.row() + 1);
            });
    layout->addWidget(Grid2);
    pnlDataSets->hide();
}

void TfrmGraph::BuildToolBar()
{
    ToolBar1 = Named(new QToolBar(this), QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(20, 20));
    auto tool = [this](const QString& name, const QString& hint, ToolIcon icon, bool checkable) {
        auto* button = Named(new QToolButton(ToolBar1), name);
        button->setToolTip(hint);
        button->setIcon(MakeToolIcon(icon));
        button->setCheckable(checkable);
        button->setAutoRaise(true);
        return button;
    };
    auto text = [this](const QString& name, const QString& caption) {
        auto* button = Named(new QToolButton(ToolBar1), name);
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        return button;
    };
    ToolButton1 = tool(QStringLiteral("ToolButton1"), QStringLiteral("Toggle Graph Statistic"), ToolIcon::Statistic, true);
    ToolButton2 = tool(QStringLiteral("ToolButton2"), QStringLiteral("Toggle Line Cursor Statistic"), ToolIcon::Cursors, true);
    ToolButton4 = tool(QStringLiteral("ToolButton4"), QStringLiteral("Normal Cursor"), ToolIcon::Pointer, true);
    ToolButton5 = tool(QStringLiteral("ToolButton5"), QStringLiteral("Draw A Cross On Graph"), ToolIcon::Cross, true);
    ToolButton9 = tool(QStringLiteral("ToolButton9"), QStringLiteral("Text"), ToolIcon::Text, true);
    ToolButton13 = tool(QStringLiteral("ToolButton13"), QString(), ToolIcon::Erase, false);
    ToolButton6 = tool(QStringLiteral("ToolButton6"), QStringLiteral("Color"), ToolIcon::Color, true);
    ToolButton7 = tool(QStringLiteral("ToolButton7"), QStringLiteral("Monochrome"), ToolIcon::Monochrome, true);
    tbntClr = tool(QStringLiteral("tbntClr"), QStringLiteral("Clear"), ToolIcon::Clear, false);
    UndoZoom = text(QStringLiteral("UndoZoom"), QStringLiteral("Undo Zoom"));
    Button1 = text(QStringLiteral("Button1"), QStringLiteral("Graph Option"));
    Button1->setToolTip(QStringLiteral("Graph Customization"));
    Button2 = text(QStringLiteral("Button2"), QStringLiteral("Export Statistic"));
    bunCalLEQ = text(QStringLiteral("bunCalLEQ"), QStringLiteral("CAL Leq"));
    btnNoiseMetrics = text(QStringLiteral("btnNoiseMetrics"), QStringLiteral("Noise Metrics"));
    btnNoiseMetrics->setToolTip(QStringLiteral("Leq, percentile levels, SEL and noise dose"));
    btnAnalysis = text(QStringLiteral("btnAnalysis"), QStringLiteral("Analysis"));
    btnAnalysis->setToolTip(QStringLiteral("Periods, day-evening-night, events, distribution and exposure"));
    btnExclude = text(QStringLiteral("btnExclude"), QStringLiteral("Exclude A\u2013B\u2026"));
    btnExclude->setToolTip(QStringLiteral("Leave the span between the cursors out of the analysis, with a reason"));
    btnExclusions = text(QStringLiteral("btnExclusions"), QStringLiteral("Exclusions\u2026"));
    btnExclusions->setToolTip(QStringLiteral("The spans left out, with their reasons"));
    btnSurveyDetails = text(QStringLiteral("btnSurveyDetails"), QStringLiteral("Survey Details\u2026"));
    btnSurveyDetails->setToolTip(QStringLiteral("Project, site, instrument, calibration and notes, for the survey's report"));
    btnReport = text(QStringLiteral("btnReport"), QStringLiteral("Report (PDF)\u2026"));
    btnReport->setToolTip(QStringLiteral("A PDF report of this graph: one page, or the survey's report of several "
                                         "pages when the graph has exclusions or details or is a saved survey"));

    ToolButton1->setChecked(true);
    ToolButton2->setChecked(true);
    ToolButton4->setChecked(true);
    for (QToolButton* grouped : {ToolButton4, ToolButton5, ToolButton9})
        grouped->setAutoExclusive(true);
    for (QToolButton* grouped : {ToolButton6, ToolButton7})
        grouped->setAutoExclusive(true);
    UndoZoom->setEnabled(false);

    ToolBar1->addWidget(ToolButton1);
    ToolBar1->addWidget(ToolButton2);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton4);
    ToolBar1->addWidget(ToolButton5);
    ToolBar1->addWidget(ToolButton9);
    ToolBar1->addWidget(ToolButton13);
    ToolButton6Action = ToolBar1->addWidget(ToolButton6);
    ToolButton7Action = ToolBar1->addWidget(ToolButton7);
    tbntSep3 = ToolBar1->addSeparator();
    tbntSep3->setObjectName(QStringLiteral("tbntSep3"));
    tbntClrAction = ToolBar1->addWidget(tbntClr);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(UndoZoom);
    ToolBar1->addWidget(Button1);
    ToolBar1->addWidget(Button2);
    ToolBar1->addWidget(bunCalLEQ);
    ToolBar1->addWidget(btnNoiseMetrics);
    ToolBar1->addWidget(btnAnalysis);
    ToolBar1->addWidget(btnExclude);
    ToolBar1->addWidget(btnExclusions);
    ToolBar1->addWidget(btnSurveyDetails);
    ToolBar1->addWidget(btnReport);
    btnNoiseMetrics->setEnabled(static_cast<bool>(services->NoiseMetrics));
    btnReport->setEnabled(static_cast<bool>(services->Report));
    btnAnalysis->setEnabled(static_cast<bool>(services->Analysis));
    btnSurveyDetails->setEnabled(static_cast<bool>(services->SurveyDetails));
    btnExclude->setEnabled(static_cast<bool>(services->Exclude));
    btnExclusions->setEnabled(static_cast<bool>(services->Exclusions));
    for (QAction* hidden : {ToolButton6Action, ToolButton7Action, tbntSep3, tbntClrAction})
        hidden->setVisible(false);

    connect(ToolButton1, &QToolButton::clicked, this, &TfrmGraph::ToolButton1Click);
    connect(ToolButton2, &QToolButton::clicked, this, &TfrmGraph::ToolButton2Click);
    connect(ToolButton4, &QToolButton::clicked, this, &TfrmGraph::ToolButton4Click);
    connect(ToolButton5, &QToolButton::clicked, this, &TfrmGraph::ToolButton5Click);
    connect(ToolButton9, &QToolButton::clicked, this, &TfrmGraph::ToolButton9Click);
    connect(ToolButton6, &QToolButton::clicked, this, &TfrmGraph::ToolButton6Click);
    connect(ToolButton7, &QToolButton::clicked, this, &TfrmGraph::ToolButton6Click);
    connect(tbntClr, &QToolButton::clicked, this, &TfrmGraph::tbntClrClick);
    connect(UndoZoom, &QToolButton::clicked, this, &TfrmGraph::UndoZoomClick);
    connect(Button1, &QToolButton::clicked, this, &TfrmGraph::Button1Click);
    connect(Button2, &QToolButton::clicked, this, &TfrmGraph::Button2Click);
    connect(bunCalLEQ, &QToolButton::clicked, this, &TfrmGraph::bunCalLEQClick);
    connect(btnNoiseMetrics, &QToolButton::clicked, this, &TfrmGraph::btnNoiseMetricsClick);
    connect(btnReport, &QToolButton::clicked, this, &TfrmGraph::btnReportClick);
    connect(btnAnalysis, &QToolButton::clicked, this, &TfrmGraph::btnAnalysisClick);
    connect(btnExclude, &QToolButton::clicked, this, &TfrmGraph::btnExcludeClick);
    connect(btnExclusions, &QToolButton::clicked, this, &TfrmGraph::btnExclusionsClick);
    connect(btnSurveyDetails, &QToolButton::clicked, this, &TfrmGraph::btnSurveyDetailsClick);
}

QWidget* TfrmGraph::BuildGraphStatistic()
{
    QWidget* p = pnlGraphStatistic;
    auto* grid = new QGridLayout(p);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    txtStartTime = TimeBox(p, QStringLiteral("txtStartTime"));
    pnlSamplingRate = Named(new QFrame(p), QStringLiteral("pnlSamplingRate"));
    auto* rate = new QHBoxLayout(pnlSamplingRate);
    rate->setContentsMargins(0, 0, 0, 0);
    txtSamplingRate = Named(new QComboBox(pnlSamplingRate), QStringLiteral("txtSamplingRate"));
    txtSamplingRate->setEditable(true);
    txtSamplingRate->addItems({QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("5.0"),
                               QStringLiteral("10.0"), QStringLiteral("20.0"), QStringLiteral("30.0")});
    txtSamplingRate->setCurrentIndex(-1);
    txtSamplingRate->setEditText(QStringLiteral("1"));
    txtSamplingRate->setFixedWidth(80);
    rate->addWidget(txtSamplingRate);
    rate->addWidget(new QLabel(QStringLiteral("Sec"), pnlSamplingRate));
    pnlSamplingRate->setEnabled(false);
    connect(txtSamplingRate, &QComboBox::activated, this, &TfrmGraph::txtSamplingRateChange);
    txtDataNo = Box(p, QStringLiteral("txtDataNo"), 80, QStringLiteral("0"));
    txtAvgAll = Box(p, QStringLiteral("txtAvgAll"), 80, QStringLiteral("***.* dB "));
    txtMax = Box(p, QStringLiteral("txtMax"), 60);
    txtMaxTime = TimeBox(p, QStringLiteral("txtMaxTime"));
    txtMin = Box(p, QStringLiteral("txtMin"), 60);
    txtMinTime = TimeBox(p, QStringLiteral("txtMinTime"));

    grid->addWidget(Label(p, QStringLiteral("Start Time")), 0, 0);
    grid->addWidget(txtStartTime, 0, 1, 1, 3);
    grid->addWidget(Label(p, QStringLiteral("Sampling Rate")), 0, 4);
    grid->addWidget(pnlSamplingRate, 0, 5, 1, 3);
    grid->addWidget(Label(p, QStringLiteral("Data No.")), 0, 8);
    grid->addWidget(txtDataNo, 0, 9);
    grid->addWidget(Label(p, QStringLiteral("Avg")), 0, 10);
    grid->addWidget(txtAvgAll, 0, 11);
    grid->addWidget(Label(p, QStringLiteral("Maximum ")), 1, 0);
    grid->addWidget(txtMax, 1, 1);
    grid->addWidget(Label(p, QStringLiteral("@")), 1, 2);
    grid->addWidget(txtMaxTime, 1, 3);
    grid->addWidget(Label(p, QStringLiteral("Minimum")), 1, 4);
    grid->addWidget(txtMin, 1, 5);
    grid->addWidget(Label(p, QStringLiteral("@")), 1, 6);
    grid->addWidget(txtMinTime, 1, 7, 1, 3);
    grid->setColumnStretch(12, 1);
    return p;
}

QWidget* TfrmGraph::BuildCursorStatistic()
{
    QFrame* p = pnlStatistic;
    auto* column = new QVBoxLayout(p);
    column->setContentsMargins(0, 0, 0, 3);
    column->setSpacing(3);
    pnlSlider = Named(new QWidget(p), QStringLiteral("pnlSlider"));
    pnlSlider->setFixedHeight(18);
    Slider1 = Named(new Tslider2(pnlSlider), QStringLiteral("Slider1"));
    Slider1->TrackWidth = 5;
    Slider1->TrackColor = Qt::yellow;
    Slider1->ThumbHeight = 10;
    Slider1->ThumbWidth = 4;
    Slider1->ThumbColor = QColor(0, 255, 0);
    Slider1->setGeometry(0, 0, 200, 18);
    connect(Slider1, &Tslider2::OnValueChange1, this, &TfrmGraph::Slider1ValueChange1);
    connect(Slider1, &Tslider2::OnValueChange2, this, &TfrmGraph::Slider1ValueChange1);
    column->addWidget(pnlSlider);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(6, 0, 6, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    txtCursorA = Box(p, QStringLiteral("txtCursorA"), 60);
    txtCursorATime = TimeBox(p, QStringLiteral("txtCursorATime"));
    txtCursorB = Box(p, QStringLiteral("txtCursorB"), 60);
    txtCursorBTime = TimeBox(p, QStringLiteral("txtCursorBTime"));
    txtMaxAB = Box(p, QStringLiteral("txtMaxAB"), 60);
    txtMaxABTime = TimeBox(p, QStringLiteral("txtMaxABTime"));
    txtMinAB = Box(p, QStringLiteral("txtMinAB"), 60);
    txtMinABTime = TimeBox(p, QStringLiteral("txtMinABTime"));
    txtAvgAB = Box(p, QStringLiteral("txtAvgAB"), 60);
    const QColor blue(0, 0, 230);
    const QColor red(220, 0, 0);
    grid->addWidget(Label(p, QStringLiteral("Cursor A"), blue), 0, 0);
    grid->addWidget(txtCursorA, 0, 1);
    grid->addWidget(Label(p, QStringLiteral("@")), 0, 2);
    grid->addWidget(txtCursorATime, 0, 3);
    grid->addWidget(Label(p, QStringLiteral("Max.Between A and B")), 0, 4);
    grid->addWidget(txtMaxAB, 0, 5);
    grid->addWidget(Label(p, QStringLiteral("@")), 0, 6);
    grid->addWidget(txtMaxABTime, 0, 7);
    grid->addWidget(Label(p, QStringLiteral("Avg Between A and B")), 0, 8);
    grid->addWidget(txtAvgAB, 0, 9);
    grid->addWidget(Label(p, QStringLiteral("Cursor B"), red), 1, 0);
    grid->addWidget(txtCursorB, 1, 1);
    grid->addWidget(Label(p, QStringLiteral("@")), 1, 2);
    grid->addWidget(txtCursorBTime, 1, 3);
    grid->addWidget(Label(p, QStringLiteral("Min.Between A and B")), 1, 4);
    grid->addWidget(txtMinAB, 1, 5);
    grid->addWidget(Label(p, QStringLiteral("@")), 1, 6);
    grid->addWidget(txtMinABTime, 1, 7);
    grid->setColumnStretch(10, 1);
    column->addLayout(grid);
    return p;
}
