#pragma once

#include <stdexcept>

namespace printing {

// Long work (reading a report's rows, laying out its pages) tells whoever watches it how far it
// has come, between its parts, and stops there when the watcher asks it to. Knows no screen: the
// window layer shows what it is told.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // Rows read so far; pages laid out so far, over how many of the rows.
    virtual void rowsRead(int rows) = 0;
    virtual void pagesMade(int pages, int rowsLaidOut, int rows) = 0;
    // The server works on a statement while this thread waits for it: called a few times a
    // second, so the watcher can show itself and hear "cancel" meanwhile.
    virtual void serverWorking() {}
    // True once the user asked to stop.
    virtual bool cancelled() const = 0;
    // The work is done; what follows it (the preview) is not watched.
    virtual void finished() = 0;
};

// Thrown by the work at its next part once the watcher cancelled it; everything it had opened is
// closed on the way out.
class WorkCancelled : public std::runtime_error {
public:
    WorkCancelled() : std::runtime_error("cancelled") {}
};

// Between parts of the work: stops it when the watcher asked to.
inline void stopIfCancelled(const WorkProgress* progress) {
    if (progress && progress->cancelled())
        throw WorkCancelled();
}

}  // namespace printing
