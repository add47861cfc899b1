#include "ShowMeterStatus.h"

#include "AppState.h"
#include "AppWindows.h"
#include "LinkSession.h"
#include "MeterStatus.h"
#include "TfrmPanel.h"

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
