#pragma once
#include <QPointer>
#include <QString>

class DataLoggerSession;
class QMdiArea;
class TfrmGraph;
struct DataSetTable;
struct GraphServices;

// The "DataLogger" graph window of a session, with its data set list: restored when open is,
// else made at the top left of the area, as wide as it and 60 pixels less high, its chart ready
// for 500 points from now on, and kept in open. Its rows show their set when clicked, and their
// pop-up entry gives a set another start time.
TfrmGraph& OpenDataLoggerWindow(QMdiArea& area, QPointer<TfrmGraph>& open, DataLoggerSession& session,
                                const GraphServices& services);

// Refills the window's list from the session's data sets and shows set 0. file: the collection
// that holds them, empty while in none.
void ShowDataSets(TfrmGraph& window, const DataSetTable& table, const QString& file = {});

// Puts set i of a table into the window's chart, statistics boxes and slider, as the window's
// recording (set i of file).
void ShowDataSet(TfrmGraph& window, const DataSetTable& table, int set, const QString& file = {});

// Asks for a new start time of set i; on OK moves the set's times, its row and its chart.
void ChangeDataSetTime(TfrmGraph& window, DataLoggerSession& session, int set);
