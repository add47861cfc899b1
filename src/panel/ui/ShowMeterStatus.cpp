#include "panel/ui/ShowMeterStatus.h"

#include "link/LinkSession.h"
#include "link/MeterStatus.h"
#include "panel/ui/TfrmPanel.h"
#include "shell/AppState.h"
#include "shell/ui/AppWindows.h"

void ShowMeterStatus()
{
    // The real-time run and the data logger read these whether or not the panel is open.
    const MeterStatus status = DecodeMeterStatus(Link().Reply);
    App.MeterRecording = status.recording;
    const int level = DisplayedLevel(status);
    App.LiveLevel = static_cast<float>(level) * 0.1f;
    if (Windows.Panel)
        Windows.Panel->ShowStatus(status, level);
}
