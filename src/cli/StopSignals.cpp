// The signals that ask a build or an upload to stop.
#include "cli/StopSignals.h"

#include <signal.h>

#include <initializer_list>

namespace fsc {

namespace {

volatile sig_atomic_t stopRequested = 0;

void OnStopSignal(int signalNumber) {
    if (stopRequested && signalNumber == SIGINT) {
        // The first request has not been taken up yet: the user insists.
        signal(SIGINT, SIG_DFL);
        raise(SIGINT);
        return;
    }
    stopRequested = 1;
}

sigset_t SignalSet(std::initializer_list<int> signalNumbers) {
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : signalNumbers) sigaddset(&set, signalNumber);
    return set;
}

bool Ignored(int signalNumber) {
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler == SIG_IGN;
}

}  // namespace

void InstallStopSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        // Ctrl+C always reaches the build, as it always did; nohup's choice is the user's.
        if (signalNumber != SIGINT && Ignored(signalNumber)) continue;
        sigaction(signalNumber, &action, nullptr);
    }
    // A parent may hand on blocked signals; they must reach the build all the same.
    const sigset_t stopSignals = SignalSet({SIGINT, SIGTERM, SIGHUP});
    sigprocmask(SIG_UNBLOCK, &stopSignals, nullptr);
}

bool StopRequested() { return stopRequested != 0; }

void TakeStopRequest() { stopRequested = 0; }

THeldStopSignals::THeldStopSignals() {
    const sigset_t held = SignalSet({SIGTERM, SIGHUP});
    sigprocmask(SIG_BLOCK, &held, &previousMask);
}

THeldStopSignals::~THeldStopSignals() { sigprocmask(SIG_SETMASK, &previousMask, nullptr); }

}  // namespace fsc
