#include "leq/ui/TfrmLEQ.h"

#include "files/ui/AskSaveFileName.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/LeqGraph.h"
#include "leq/ui/LeqTableCells.h"
#include "link/CommandTable.h"
#include "link/MeterLink.h"
#include "shell/Clock.h"
#include "shell/SaveFile.h"
#include "shell/Folders.h"
#include "shell/Formats.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/PlaceInArea.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* StatusBox(QWidget* parent, const char* name)
{
    auto* box = Named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setFixedWidth(110);
    return box;
}

}  // namespace

TfrmLEQ::TfrmLEQ(QTimer& leqTimer, const GraphServices& services, QWidget* parent)
    : QWidget(parent), timer(leqTimer), services(services)
{
    setObjectName(QStringLiteral("frmLEQ"));
    setWindowTitle(QStringLiteral("LEQ"));
    BuildControls();
    // FormCreate: the column widths.
    const int widths[] = {65, 75, 100, 75, 75};
    for (int column = 0; column < 5; ++column)
        LEQGrid->SetColWidth(column, widths[column]);
}

TfrmLEQ::~TfrmLEQ()
{
    EndMeasurement();
}

void TfrmLEQ::BuildControls()
{
    tableCells = new LeqTableCells(rows, this);
    LEQGrid = Named(new StringGrid(*tableCells, this), "LEQGrid");

    auto* setup = Named(new QGroupBox(QStringLiteral("Setup"), this), "GroupBox1");
    cmbTimeSelect = Named(new QComboBox(setup), "cmbTimeSelect");
    for (const LeqDuration& duration : LeqDurations)
        cmbTimeSelect->addItem(QString::fromLatin1(duration.text));
    btnLEQ = Named(new QPushButton(QStringLiteral("Start"), setup), "btnLEQ");
    Button1 = Named(new QPushButton(QStringLiteral("Stop"), setup), "Button1");
    auto* setupLayout = new QVBoxLayout(setup);
    setupLayout->addWidget(cmbTimeSelect);
    auto* startStop = new QHBoxLayout;
    startStop->addWidget(btnLEQ);
    startStop->addWidget(Button1);
    setupLayout->addLayout(startStop);

    auto* status = Named(new QGroupBox(QStringLiteral("Status"), this), "GroupBox2");
    edtTimeLeft = StatusBox(status, "edtTimeLeft");
    edtLEQValue = StatusBox(status, "edtLEQValue");
    edtLEQrate = StatusBox(status, "edtLEQrate");
    auto* statusLayout = new QGridLayout(status);
    statusLayout->addWidget(new QLabel(QStringLiteral("time left"), status), 0, 0);
    statusLayout->addWidget(edtTimeLeft, 0, 1);
    statusLayout->addWidget(new QLabel(QStringLiteral("LEQ"), status), 1, 0);
    statusLayout->addWidget(edtLEQValue, 1, 1);
    auto* rateLabel = new QLabel(QStringLiteral("sampling rate"), status);
    statusLayout->addWidget(rateLabel, 2, 0);
    statusLayout->addWidget(edtLEQrate, 2, 1);
    rateLabel->hide();
    edtLEQrate->hide();

    Button2 = Named(new QPushButton(QStringLiteral("Save"), this), "Button2");
    Button3 = Named(new QPushButton(QStringLiteral("Graph"), this), "Button3");

    auto* right = new QVBoxLayout;
    right->addWidget(setup);
    right->addWidget(status);
    right->addWidget(Button2);
    right->addWidget(Button3);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(LEQGrid, 1);
    layout->addLayout(right);

    connect(btnLEQ, &QPushButton::clicked, this, &TfrmLEQ::btnLEQClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmLEQ::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmLEQ::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmLEQ::Button3Click);
}

void TfrmLEQ::ShowInArea(QMdiArea* area)
{
    QMdiSubWindow* frame = area->addSubWindow(this);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->showNormal();
    PlaceInArea(*frame, *area, QSize(720, 520));
}

void TfrmLEQ::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce)
        return;
    shownOnce = true;
    cmbTimeSelect->setCurrentIndex(0);  // "10 sec"
}

void TfrmLEQ::btnLEQClick()
{
    // While another sequence holds the link (a download lets window messages run between its
    // blocks), a measurement would open the meter under it and read its replies: it gets none.
    const bool wasMeasuring = Measuring();
    if (!wasMeasuring) {
        link = Link().TryBegin();
        if (!link)
            return;
    }
    // A new Start begins a new measurement: a new log, an empty table, the counters anew.
    log.close();
    QDir().mkpath(WritableFilesFolder() + QStringLiteral("temp"));
    log.setFileName(WritableFilesFolder() + QStringLiteral("temp/LEQ.txt"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        log.setFileName(QString());  // no log this time; the measurement goes on without one
    const int item = cmbTimeSelect->currentIndex();
    const std::optional<std::int32_t> seconds =
        item >= 0 && item < static_cast<int>(LeqDurations.size())
            ? std::optional<std::int32_t>(LeqDurations[static_cast<std::size_t>(item)].seconds)
            : std::nullopt;

    OpenMeterForPolls(*link, LeqTimeoutMs);

    rows = {};
    tableCells->RowsChanged();
    StartLeqMeasurement(measurement, seconds);
    // At most a row a second: the rows get their room once, without a doubling's spare half.
    rows.reserve(static_cast<std::size_t>(std::max(measurement.timeLeft, 0)));
    timer.start();
    if (!wasMeasuring)
        emit MeasuringChanged();
}

void TfrmLEQ::Button1Click() { EndMeasurement(); }

void TfrmLEQ::EndMeasurement()
{
    timer.stop();
    log.close();
    if (!Measuring())
        return;
    link.reset();
    emit MeasuringChanged();
}

void TfrmLEQ::LEQTimerTimer()
{
    if (!link)
        return;
    const bool read = PollOpenMeter(*link);
    const LeqPollResult result = PollLeqMeasurement(measurement, read, link->Reply(), CurrentClock().Now());

    if (!result.logLine.isEmpty() && log.isOpen()) {
        log.write(result.logLine.toLocal8Bit());
        log.flush();
    }
    if (result.completedRow)
        AddRow(*result.completedRow);
    else if (!result.ended)
        LEQGrid->scrollToBottom();
    if (result.rateText)
        edtLEQrate->setText(*result.rateText);
    if (result.leqText)
        edtLEQValue->setText(*result.leqText);
    if (result.timeLeftText)
        edtTimeLeft->setText(*result.timeLeftText);
    if (result.ended) {
        EndMeasurement();
        if (!result.message.isEmpty())
            CurrentPrompts().ShowMessage(result.message);
    }
}

void TfrmLEQ::AddRow(const LeqRow& row)
{
    rows.push_back(row);
    tableCells->RowsChanged();
}

bool TfrmLEQ::Button2Click()
{
    const QString path = AskSaveFileName(QStringLiteral("Save"), QStringLiteral("|*.txt"), QStringLiteral("txt"));
    if (path.isEmpty())
        return false;
    QString why;
    if (SaveWholeFile(path, LeqTableText(rows).toLocal8Bit(), &why))
        return true;
    CurrentPrompts().ShowError(QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(path), why));
    return false;
}

void TfrmLEQ::Button3Click()
{
    if (rows.empty()) {
        CurrentPrompts().ShowMessage(QStringLiteral("No data to graph !"));
        return;
    }
    const int points = static_cast<int>(rows.size());
    TfrmGraph& graph = MakeLeqGraph(*this, services, QStringLiteral("Leq"), rows.front().time, rows.back().time, points);
    // The measurement's levels, one a second, are the graph's recording; a second without
    // readings is a gap in both curves.
    Recording measured;
    measured.start = rows.front().time;
    std::vector<float> leq;
    for (const LeqRow& row : rows) {
        measured.times.push_back(row.time);
        measured.levels.push_back(row.HasLevel() ? row.spl : static_cast<float>(NullValue));
        leq.push_back(row.HasLevel() ? row.leq : static_cast<float>(NullValue));
    }
    graph.ShowRecording(std::move(measured));
    graph.PESGraph1->SetSubsetData(1, graph.ShownRecording().times.data(), leq.data(), points);
    FinishLeqGraph(graph);
    graph.txtSamplingRate->setEditText(QStringLiteral("1"));
}

void TfrmLEQ::closeEvent(QCloseEvent* event)
{
    if (PutOffClose(*this, false)) {
        event->ignore();
        return;
    }
    EndMeasurement();
    event->accept();
    emit Closed();
}
