#include "shell/ui/LongTask.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct PutOff {
    QPointer<QObject> context;
    std::function<void()> closeAgain;
};

int tasksUnderway = 0;
bool stopAsked = false;
std::vector<PutOff> putOff;

}  // namespace

LongTask::LongTask() { ++tasksUnderway; }

LongTask::~LongTask()
{
    if (--tasksUnderway > 0)
        return;
    stopAsked = false;
    // From the event loop: the task's caller still holds its windows until it returns.
    for (PutOff& close : std::exchange(putOff, {}))
        if (close.context)
            QTimer::singleShot(0, close.context.data(), std::move(close.closeAgain));
}

bool LongTask::StopAsked() const { return stopAsked; }

bool LongTask::Underway() { return tasksUnderway > 0; }

bool PutOffWhileLongTask(QObject& context, bool stopTask, std::function<void()> closeAgain)
{
    if (!LongTask::Underway())
        return false;
    if (stopTask)
        stopAsked = true;
    const bool known = std::any_of(putOff.begin(), putOff.end(),
                                   [&context](const PutOff& close) { return close.context == &context; });
    if (!known)
        putOff.push_back({&context, std::move(closeAgain)});
    return true;
}

bool PutOffClose(QWidget& window, bool stopTask)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    QWidget& closing = frame ? *static_cast<QWidget*>(frame) : window;
    return PutOffWhileLongTask(closing, stopTask, [&closing] { closing.close(); });
}
