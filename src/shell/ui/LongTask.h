#pragma once
#include <QObject>

class QWidget;

#include <functional>

// Work that lets window messages run while it holds windows and their children on its stack (a
// download between its blocks, with its progress window a child of the DataLogger window). A
// window deleted from one of those messages would pull the work's objects from under it, so
// while a task is underway a window that is closed puts its close off: it asks the task to stop
// or lets it finish, and closes again once the last task has ended, asking its questions then.
class LongTask {
public:
    LongTask();
    ~LongTask();
    LongTask(const LongTask&) = delete;
    LongTask& operator=(const LongTask&) = delete;

    // A window the task works on is closing: the task ends early, as its Cancel does.
    bool StopAsked() const;

    static bool Underway();
};

// For a close handler. While a long task is underway: asks it to stop when stopTask, keeps
// closeAgain to run from the event loop once the last task has ended (once per context, and
// never after context is gone), and returns true: the caller ignores this close. Otherwise
// returns false and the close goes on.
bool PutOffWhileLongTask(QObject& context, bool stopTask, std::function<void()> closeAgain);

// The same for a window's own close: closes again the child window frame that holds it, or
// the window itself.
bool PutOffClose(QWidget& window, bool stopTask);
