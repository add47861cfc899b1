#include "ShowMeterStatus.h"

#include "AppState.h"
#include "MeterStatus.h"
#include "TfrmPanel.h"

void ShowMeterStatus()
{
    if (!App.Panel)
        return;
    const MeterStatus status = DecodeMeterStatus(App.Reply);
    App.MeterRecording = status.recording;
    const int level = DisplayedLevel(status);
    App.Panel->ShowStatus(status, level);
    App.LiveLevel = static_cast<float>(level) * 0.1f;
}
