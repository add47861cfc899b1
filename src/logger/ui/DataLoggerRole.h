#pragma once
#include "graph/ui/GraphRole.h"

class DataLoggerSession;

// The DataLogger window's role: a download not yet kept in a collection is what closing
// would lose.
class DataLoggerRole final : public GraphRole {
public:
    explicit DataLoggerRole(DataLoggerSession& session) : session(session) {}

    Kind WindowKind() const override { return Kind::DataLogger; }
    QString UnsavedQuestion() const override;
    void MarkSaved() override;
    // Only this window's own close drops the session's unsaved mark.
    void Closed() override;

private:
    DataLoggerSession& session;
};
