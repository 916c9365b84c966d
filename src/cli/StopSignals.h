// Ctrl+C, SIGTERM and SIGHUP (the terminal closed, `timeout`, a service manager) as requests
// to stop, which the running build or upload takes up at its next step and undoes what it
// wrote, as the progress window's Abort does.
#pragma once

#include <signal.h>

namespace fsc {

// From now on the three signals set the stop request instead of ending the program. A second
// Ctrl+C before the first was taken up ends the program at once, as the default action would;
// a repeated SIGTERM or SIGHUP does not, since a closing terminal or a service manager may
// send it twice while the build undoes itself. A hang-up the caller ignores (nohup) stays
// ignored.
void InstallStopSignalHandlers();

bool StopRequested();
// The request has been handed on to what can stop; the next signal is a new request.
void TakeStopRequest();

// While it lives, SIGTERM and SIGHUP wait: an undo stopped half-way leaves the gallery half
// put back. One that came meanwhile takes effect when it goes, after the undo. Ctrl+C still
// ends the program at once; the history lets the next undo go on where it stopped.
class THeldStopSignals {
public:
    THeldStopSignals();
    ~THeldStopSignals();
    THeldStopSignals(const THeldStopSignals&) = delete;
    THeldStopSignals& operator=(const THeldStopSignals&) = delete;

private:
    sigset_t previousMask;
};

}  // namespace fsc
