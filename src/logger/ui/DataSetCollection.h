#pragma once
#include <QString>

#include <functional>

class DataLoggerSession;
class TfrmGraph;

// The collection filters of the save and open dialogs.
QString CollectionSaveFilter();
QString CollectionOpenFilter();

// Save's collection choice on the DataLogger window: asks for a ".REC" name and writes the
// session's memory, byte for byte as the working file holds it; the session then holds that
// file, saved. True when a file was written; an error names a file that could not be.
bool SaveCollection(DataLoggerSession& session);

// Gives the DataLogger window, made when missing.
using DataLoggerWindowOpener = std::function<TfrmGraph&()>;

// Open's collection choice: the DataLogger window, then the file dialog, then the file's data
// sets. Cancel leaves the window as it was.
void OpenCollection(DataLoggerSession& session, const DataLoggerWindowOpener& window);

// Shows the data sets of a collection file in the DataLogger window. A 0-byte file is ignored;
// a file that cannot be read or holds no data sets is reported by name, and the data sets shown
// before stay. A download not saved yet is asked about first, as closing the window does.
void OpenCollectionFile(const QString& path, DataLoggerSession& session, const DataLoggerWindowOpener& window);
