// Work on many items spread over a few threads, with every result taken back on the calling
// thread in item order, so that what the results do (files written, journal entries, progress)
// happens in the same order whatever order the threads finish in.
#pragma once

#include <functional>

namespace fsc {

// What a worker may hand back to the calling thread: things that must not run anywhere else,
// such as the GUI's text drawing or message boxes.
class ICallingThread {
public:
    virtual ~ICallingThread() = default;
    // Runs `task` on the calling thread and waits for it; an exception it raises is raised
    // here. On the calling thread itself the task just runs.
    virtual void Run(const std::function<void()>& task) = 0;
};

struct TOrderedWork {
    int Count = 0;
    // Threads working at once; 1 does every item on the calling thread, in order.
    int Workers = 1;
    // Readies item i on the calling thread, in order, just before it is handed out; may be
    // unset.
    std::function<void(int index)> Prepare;
    // Makes item i; on a worker thread (or the calling thread when Workers is 1). An exception
    // is kept and raised on the calling thread when item i's turn comes.
    std::function<void(int index, ICallingThread& caller)> Produce;
    // Takes item i, on the calling thread, for i = 0, 1, ... in order.
    std::function<void(int index)> Consume;
    // Asked on the calling thread before an item is handed out; once true no new item starts.
    std::function<bool()> Stop;
    // Called on the calling thread now and then while it waits, to keep a window alive.
    std::function<void()> Wait;
};

// Hands out items in order, at most a few more than Workers ahead of the next to consume, so
// that memory does not grow with Count. Returns true when every item was consumed, false when
// Stop ended it early. Items handed out finish before it returns or raises (an exception from
// Produce, Consume or Stop), and their results are dropped.
bool RunInOrder(const TOrderedWork& work);

// The number of threads to use when the user chose `requested` (0 or less: one per core).
int WorkerCount(int requested);

}  // namespace fsc
