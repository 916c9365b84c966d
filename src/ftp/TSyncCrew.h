// Extra connections that send a sync's pictures beside the first one. Each member logs in on
// its own session, takes a share of the files that are not pages and sends them as every
// file is sent (under a temporary name, size checked, renamed into place), reporting each
// file once it is in place. The pages wait until every member has ended, so a page never
// shows a picture still on its way. A member that cannot log in or loses its connection for
// good hands back what it did not send: the first connection sends that itself.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ftp/IFtpSession.h"
#include "ftp/SyncPlan.h"

namespace fsc {

class TGallerySync;
struct TSyncLogin;

class TSyncCrew {
public:
    using TSessionFactory = std::function<std::unique_ptr<IFtpSession>()>;

    // `sync` is the first connection's: its login, folders and retry settings are copied.
    TSyncCrew(const TGallerySync& sync, const TSyncLogin& login, const std::string& subDir,
              const TSessionFactory& newSession, std::vector<std::vector<TSyncFile>> shares);
    ~TSyncCrew();

    // Files of members that gave up and that did not arrive: the first connection sends them.
    std::vector<TSyncFile> Unsent;
    // Why the members that gave up did, one line each.
    std::vector<std::string> Failures;
    std::vector<std::string> Refused;

    std::function<void(const TSyncFile&)> OnSent;
    std::function<void(const std::string&)> OnStatus;
    std::function<void(const std::string&)> OnWarning;
    // Once every member has ended; called from the event loop, never from inside a member.
    std::function<void()> OnFinished;

    void Start();
    void Abort();
    bool Finished() const;

private:
    struct TMember;
    std::vector<std::unique_ptr<TMember>> members;
    bool finishReported = false;
    // What a member's session leaves for later runs only while the crew still exists.
    std::shared_ptr<const bool> alive = std::make_shared<const bool>(true);

    void MemberEnded(TMember& member);
};

// `files` split into `count` shares of about equal bytes, each in the order the files were
// given.
std::vector<std::vector<TSyncFile>> SplitIntoShares(const std::vector<TSyncFile>& files,
                                                    std::size_t count);

}  // namespace fsc
