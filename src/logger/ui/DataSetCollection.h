#pragma once
#include <QString>

class QMdiArea;

// The collection filters of the save and open dialogs.
QString CollectionSaveFilter();
QString CollectionOpenFilter();

// Save's collection choice on the DataLogger window: asks for a ".REC" name and writes the
// memory loaded last, byte for byte as the working file holds it. True when a file was
// written; an error names a file that could not be.
bool SaveCollection();

// Open's collection choice: the DataLogger window (made when missing), then the file dialog,
// then the file's data sets. Cancel leaves the window as it was.
void OpenCollection(QMdiArea& area);

// Shows the data sets of a collection file in the DataLogger window (made when missing). A
// 0-byte file is ignored; a file that cannot be read or holds no data sets is reported by name,
// and the data sets shown before stay.
void OpenCollectionFile(QMdiArea& area, const QString& path);
