#include "logger/ui/DataSetCollection.h"

#include "files/CollectionFile.h"
#include "files/SaveFilters.h"
#include "files/ui/AskSaveFileName.h"
#include "graph/ui/TfrmGraph.h"
#include "link/MemoryImage.h"
#include "logger/DataLoggerSession.h"
#include "logger/ui/LoadDataSets.h"
#include "shell/Clock.h"
#include "shell/DataFolder.h"
#include "shell/ui/Prompts.h"

#include <QDir>
#include <QFileInfo>

QString CollectionSaveFilter()
{
    return QStringLiteral("Data Set Collection file(*.rec,only for QX574)|*.REC");
}

QString CollectionOpenFilter() { return QStringLiteral("Data Sets Collection (*.REC)|*.REC"); }

bool SaveCollection(DataLoggerSession& session)
{
    if (session.Image().empty()) {
        CurrentPrompts().ShowMessage(QStringLiteral("There are no data sets to save."));
        return false;
    }
    const QString path = AskSaveFileName(QStringLiteral("Save As"), CollectionSaveFilter(), QStringLiteral("REC"),
                                         session.File());
    if (path.isEmpty())
        return false;
    QString error;
    if (!WriteCollection(path, session.Image(), &error)) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    session.SavedTo(QFileInfo(path).absoluteFilePath());
    return true;
}

void OpenCollection(DataLoggerSession& session, const DataLoggerWindowOpener& window)
{
    window();
    const QString path = CurrentPrompts().OpenFileName(
        QStringLiteral("Open"), FileDialogFolder(), DialogFilters(CollectionOpenFilter()), nullptr);
    if (!path.isEmpty())
        OpenCollectionFile(path, session, window);
}

void OpenCollectionFile(const QString& path, DataLoggerSession& session, const DataLoggerWindowOpener& window)
{
    QString error;
    const std::optional<QByteArray> bytes = ReadCollection(path, &error);
    if (!bytes) {
        CurrentPrompts().ShowError(error);
        return;
    }
    if (bytes->isEmpty())
        return;
    const auto image = ImageBytes(*bytes);
    DataLoggerSession::Decoded decoded = DataLoggerSession::Decode(image, CurrentClock().Now());
    TfrmGraph& logger = window();
    // A download not kept yet, and the shown set's survey not saved, are asked about before the
    // file's data sets take their place, as closing the window does; Cancel keeps them. A file
    // that would not take their place asks nothing.
    if (decoded.use == DecodedUse::Usable
        && ((session.Unsaved() && !logger.AskAboutUnsavedData()) || !logger.LeaveSurvey()))
        return;
    const QString name = QDir::toNativeSeparators(path);
    switch (ShowMemoryImage(logger, session, {image.begin(), image.end()}, std::move(decoded), name,
                            QFileInfo(path).absoluteFilePath())) {
    case DecodedUse::Usable:
        session.MarkSaved();  // what is shown now is the file's
        break;
    case DecodedUse::NoDataSets:
        CurrentPrompts().ShowError(QStringLiteral("The file %1 holds no data sets.").arg(name));
        break;
    case DecodedUse::CannotBeDecoded:
        CurrentPrompts().ShowError(QStringLiteral("The file %1 is not a data set collection.").arg(name));
        break;
    case DecodedUse::NoSamples:
        CurrentPrompts().ShowError(
            QStringLiteral("The file %1 holds no samples: it ends before the data of its recordings.").arg(name));
        break;
    }
}
