#pragma once
#include "leq/LeqMeasurement.h"
#include "link/LinkSession.h"

#include <QFile>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLineEdit;
class QMdiArea;
class QPushButton;
class QTimer;
class LeqTableCells;
class StringGrid;
class TfrmGraph;
struct GraphServices;

// The LEQ window: a live measurement over a chosen duration, one row per second of the meter's
// clock with the second's mean level and the LEQ since the start, a log of every reading, Save
// and Graph. While it measures it holds the link and the connection monitor rests; its polls
// come from the main window's LEQTimer.
class TfrmLEQ : public QWidget {
    Q_OBJECT
public:
    // Polls on leqTimer's ticks; the graphs it makes get the given services.
    TfrmLEQ(QTimer& leqTimer, const GraphServices& services, QWidget* parent = nullptr);
    ~TfrmLEQ() override;

    // Puts the window into the area as a child window that frees itself when closed.
    void ShowInArea(QMdiArea* area);

    bool Measuring() const { return link.has_value(); }
    const std::vector<LeqRow>& Rows() const { return rows; }

    void btnLEQClick();     // Start
    void Button1Click();    // Stop
    bool Button2Click();    // Save; true when a file was written
    void Button3Click();    // Graph
    // One poll of the measurement; the main window's LEQTimer calls it every 40 ms.
    void LEQTimerTimer();

    StringGrid* LEQGrid;
    QComboBox* cmbTimeSelect;
    QPushButton* btnLEQ;
    QPushButton* Button1;
    QLineEdit* edtTimeLeft;
    QLineEdit* edtLEQValue;
    QLineEdit* edtLEQrate;
    QPushButton* Button2;
    QPushButton* Button3;

signals:
    // A measurement began or ended.
    void MeasuringChanged();
    // The window closed; it is deleted later.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void AddRow(const LeqRow& row);
    // Ends the measurement: the timer stops, the link and the monitor are free, the log closed.
    void EndMeasurement();

    QTimer& timer;
    LeqMeasurement measurement;
    std::vector<LeqRow> rows;
    LeqTableCells* tableCells;  // LEQGrid's cells, made from rows
    QFile log;
    const GraphServices& services;
    std::optional<LinkSequence> link;  // held from Start to the end of the measurement
    QList<QPointer<TfrmGraph>> graphs;  // the LEQ graphs it made close with it
    bool shownOnce = false;
};
