// The progress window of the FTP jobs. The session is event driven and its events already
// arrive through the running event loop, so an update only paints: letting events through
// from inside the queue's own handlers would run the next event (or an "Abort" click) in the
// middle of the handler that is starting a job.
#pragma once

#include <string>

#include "ui/TProgress.h"

namespace fsc {

class TFtpProgress final : public TProgress {
public:
    using TProgress::TProgress;

    void Update(int minimum, int position, const std::string& text, int maximum) override;
};

}  // namespace fsc
