#include "leq/ui/TfrmLEQ.h"

#include "files/ui/AskSaveFileName.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/LeqGraph.h"
#include "leq/ui/LeqTableCells.h"
#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "shell/Clock.h"
#include "shell/CommitSaveFile.h"
#include "shell/Folders.h"
#include "shell/Formats.h"
#include "shell/ui/AppWindows.h"
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
#include <QSaveFile>
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

TfrmLEQ::TfrmLEQ(QTimer& leqTimer, QWidget* parent) : QWidget(parent), timer(leqTimer)
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
    frame->resize(720, 520);
    const QRect space = area->viewport()->rect();
    frame->move(std::max(0, (space.width() - frame->width()) / 2),
                std::max(0, (space.height() - frame->height()) / 2));
    frame->showNormal();
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
    // blocks), a measurement would open the meter under it and read its replies.
    if (!Measuring() && Link().Busy())
        return;
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

    const bool wasMeasuring = Measuring();
    if (!wasMeasuring) {
        hold.emplace(Link());
        pause.emplace(Link());
    }
    // The device stays open for the polls of the whole measurement.
    HtUsb& usb = Link().Usb();
    usb.CloseDevice();
    usb.OpenDevice(LinkSession::VendorId, LinkSession::ProductId);
    usb.SetTimeouts(LeqTimeoutMs, LeqTimeoutMs);

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
    pause.reset();
    hold.reset();
    emit MeasuringChanged();
}

void TfrmLEQ::LEQTimerTimer()
{
    if (!hold)
        return;
    LinkSession& link = Link();
    HtUsb& usb = link.Usb();
    FrameCommand(link.Command, Cmd::Status);
    WriteFrame(usb, link.Command, BoolCodes);  // a failed write shows as a failed read
    const bool read = ReadFrame(usb, link.Reply, BoolCodes) == 0;
    const LeqPollResult result = PollLeqMeasurement(measurement, read, link.Reply, CurrentClock().Now());

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
    QSaveFile file(path);
    const QByteArray text = LeqTableText(rows).toLocal8Bit();
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && CommitSaveFile(file))
        return true;
    CurrentPrompts().ShowError(QStringLiteral("Cannot write the file %1: %2")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void TfrmLEQ::Button3Click()
{
    if (rows.empty()) {
        CurrentPrompts().ShowMessage(QStringLiteral("No data to graph !"));
        return;
    }
    const int points = static_cast<int>(rows.size());
    TfrmGraph& graph = MakeLeqGraph(*this, QStringLiteral("Leq"), rows.front().time, rows.back().time, points);
    PESGraph& chart = *graph.PESGraph1;
    for (int i = 0; i < points; ++i) {
        const LeqRow& row = rows[static_cast<std::size_t>(i)];
        // A second without readings is a gap in both curves.
        const float spl = row.HasLevel() ? row.spl : static_cast<float>(NullValue);
        const float leq = row.HasLevel() ? row.leq : static_cast<float>(NullValue);
        chart.SetPoint(0, i, row.time, spl);
        chart.SetPoint(1, i, row.time, leq);
    }
    FinishLeqGraph(graph);
    graph.txtSamplingRate->setEditText(QStringLiteral("1"));
}

void TfrmLEQ::closeEvent(QCloseEvent* event)
{
    EndMeasurement();
    Windows.LeqWindow = nullptr;
    event->accept();
}
