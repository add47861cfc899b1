#include "ShowMeterStatus.h"

#include "AppState.h"
#include "AppWindows.h"
#include "LinkSession.h"
#include "MeterStatus.h"
#include "TfrmPanel.h"

void ShowMeterStatus()
{
    if (!Windows.Panel)
        return;
    const MeterStatus status = DecodeMeterStatus(Link().Reply);
    App.MeterRecording = status.recording;
    const int level = DisplayedLevel(status);
    Windows.Panel->ShowStatus(status, level);
    App.LiveLevel = static_cast<float>(level) * 0.1f;
}
