#include "logger/ui/LoadDataSets.h"

#include "files/ui/TfrmScope.h"
#include "files/WorkingFile.h"
#include "graph/ui/TfrmGraph.h"
#include "link/LinkSession.h"
#include "link/MemoryImage.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/DownloadMemory.h"
#include "logger/ui/DataLoggerWindow.h"
#include "shell/AppState.h"
#include "shell/Clock.h"
#include "shell/ui/Prompts.h"

#include <QCoreApplication>

LoadResult LoadDataSets(TfrmGraph& window)
{
    TfrmScope progress(&window);
    Clock& clock = CurrentClock();
    std::uint32_t started = 0;
    const DownloadResult download = DownloadMemory(Link(), [&](int received, int length) {
        if (received == 0) {
            progress.ShowDownloadProgress(QStringLiteral("Data Retriving Progress"), length);
            started = clock.TickCountMs();
        } else {
            const double elapsed = (clock.TickCountMs() - started) / 1000.0;
            progress.SetBytesReceived(received, DownloadTimeLeftText(elapsed, received, length));
        }
        QCoreApplication::processEvents();
        return !progress.CancelPressed();
    });
    progress.close();
    if (download.cancelled || download.code != 0)
        return {download.code, download.cancelled};
    switch (ShowMemoryImage(window, download.image)) {
    case DecodedUse::Usable: return {DecodeResult::Decoded, false};
    case DecodedUse::CannotBeDecoded: return {DecodeResult::TooManyDataSets, false};
    // Recordings without a sample are no data recorded, to the user as to the command line.
    case DecodedUse::NoDataSets:
    case DecodedUse::NoSamples: break;
    }
    return {DecodeResult::NoDataSets, false};
}

DecodedUse ShowMemoryImage(TfrmGraph& window, std::vector<std::uint8_t> image)
{
    const int memoryEnd = ReadMemoryEnd(image);
    DecodedMemory decoded = DecodeMemoryImage(image, memoryEnd, CurrentClock().Now());
    const DecodedUse use = UseOfDecodedMemory(decoded);
    if (use != DecodedUse::Usable)
        return use;
    App.MemoryEnd = memoryEnd;
    QString error;
    if (!WriteWorkingFile(App.DataFolder, image, &error))
        CurrentPrompts().ShowError(error);
    ShowDataSets(window, std::move(*decoded.table), std::move(image));
    return use;
}
