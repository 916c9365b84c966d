// Members of a sync's crew: each a plain upload of its share over a session of its own.
#include "ftp/TSyncCrew.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "ftp/TGallerySync.h"

namespace fsc {

struct TSyncCrew::TMember {
    // Declared first: the sync lets go of its session when it is destroyed.
    std::unique_ptr<IFtpSession> session;
    std::unique_ptr<TGallerySync> sync;
    std::vector<TSyncFile> share;
    std::set<std::string> arrived;
    bool ended = false;
};

TSyncCrew::TSyncCrew(const TGallerySync& first, const TSyncLogin& login, const std::string& subDir,
                     const TSessionFactory& newSession,
                     std::vector<std::vector<TSyncFile>> shares) {
    for (auto& share : shares) {
        auto member = std::make_unique<TMember>();
        member->session = newSession();
        member->share = share;
        auto& sync = member->sync =
            std::make_unique<TGallerySync>(*member->session, login, subDir, std::move(share));
        sync->BasePath = first.BasePath;
        sync->GalleryPath = first.GalleryPath;
        sync->RetryCount = first.RetryCount;
        sync->RetryPauseMs = first.RetryPauseMs;
        sync->MaxListingBytes = first.MaxListingBytes;
        sync->KeepManifest = false;
        TMember& self = *member;
        sync->OnStatus = [this](const std::string& text) {
            if (OnStatus && text.starts_with("Sending ")) OnStatus(text);
        };
        sync->OnWarning = [this](const std::string& text) {
            if (OnWarning) OnWarning(text);
        };
        sync->OnSent = [this, &self](const TSyncFile& file) {
            self.arrived.insert(file.Path);
            if (OnSent) OnSent(file);
        };
        // A member ends inside its own session's event: what follows waits for the loop.
        sync->OnFinished = [this, &self] {
            self.session->After(0, [this, &self, alive = std::weak_ptr<const bool>(alive)] {
                if (!alive.expired()) MemberEnded(self);
            });
        };
        members.push_back(std::move(member));
    }
}

TSyncCrew::~TSyncCrew() = default;

void TSyncCrew::Start() {
    for (auto& member : members) member->sync->Start();
}

void TSyncCrew::Abort() {
    for (auto& member : members) {
        if (!member->sync->Finished()) member->sync->Abort();
    }
}

bool TSyncCrew::Finished() const {
    return std::all_of(members.begin(), members.end(),
                       [](const auto& member) { return member->ended; });
}

void TSyncCrew::MemberEnded(TMember& member) {
    if (member.ended) return;
    member.ended = true;
    const TGallerySync& sync = *member.sync;
    Refused.insert(Refused.end(), sync.Refused.begin(), sync.Refused.end());
    if (!sync.Failure.empty() && !sync.Aborted) {
        Failures.push_back(sync.Failure);
        for (const TSyncFile& file : member.share) {
            if (!member.arrived.count(file.Path)) Unsent.push_back(file);
        }
    }
    if (Finished() && !finishReported && OnFinished) {
        finishReported = true;
        OnFinished();
    }
}

std::vector<std::vector<TSyncFile>> SplitIntoShares(const std::vector<TSyncFile>& files,
                                                    std::size_t count) {
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    // The largest files first, each to the share with the fewest bytes so far.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return files[a].Entry.Size > files[b].Entry.Size;
    });
    std::vector<std::uint64_t> bytes(count, 0);
    std::vector<std::size_t> shareOf(files.size(), 0);
    for (const std::size_t index : order) {
        const auto least = std::min_element(bytes.begin(), bytes.end()) - bytes.begin();
        shareOf[index] = std::size_t(least);
        bytes[least] += files[index].Entry.Size;
    }
    std::vector<std::vector<TSyncFile>> shares(count);
    for (std::size_t index = 0; index < files.size(); ++index)
        shares[shareOf[index]].push_back(files[index]);
    return shares;
}

}  // namespace fsc
