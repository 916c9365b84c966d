// A sync upload: sends only the files of the gallery folder that are new or changed since
// the manifest on the server was written, or that the server's listings no longer show as
// they were sent, each under a temporary name renamed into place,
// then deletes what the manifest lists and the gallery no longer has, and writes the
// manifest last. A dropped connection is taken up again a few times; the manifest is also
// written now and then on the way, listing only what really arrived, so that a sync that
// gave up is continued by the next one instead of started over.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ftp/IFtpSession.h"
#include "ftp/SyncPlan.h"

namespace fsc {

class TSyncCrew;

struct TSyncLogin {
    std::string Host, User, Password;
    bool Passive = true;
    TFtpSecurity Security;
};

class TGallerySync : public IFtpSessionEvents {
public:
    // Takes the session's events until it has finished; `files` are the gallery's.
    TGallerySync(IFtpSession& session, TSyncLogin login, std::string subDir,
                 std::vector<TSyncFile> files);
    ~TGallerySync() override;

    // The folder that holds SubDir; "" for the folder the server logs in to.
    std::string BasePath;
    // Attempts to take up a dropped connection at one point, or to repeat a step the server
    // refused for now (425, 426, 450, 451, 452), and the pause before each; the pauses after
    // refusals double each time.
    int RetryCount = 3;
    int RetryPauseMs = 2000;
    // Bytes sent between two manifests written on the way; 0 chooses a share of the
    // manifest's size, so that the manifest never costs more than a fraction of the sync.
    std::uint64_t CheckpointBytes = 0;
    // Logs out at the end; else the session ends up in BasePath again (the window keeps it).
    bool QuitAtEnd = true;
    // The largest manifest and folder listing believed; a larger one is set aside.
    std::int64_t MaxManifestBytes = std::int64_t(64) << 20;
    std::int64_t MaxListingBytes = std::int64_t(32) << 20;
    // Only the plan is made: nothing is sent, made or deleted; a missing gallery folder
    // means everything is to be sent. The plan is in Plan, and the sync ends as Cancelled.
    bool PlanOnly = false;
    // False for a plain upload: every file is sent, in the same order and under temporary
    // names, but no manifest is read or written and nothing is deleted.
    bool KeepManifest = true;
    // Connections that send at once: the pictures and other files are shared out among
    // sessions NewSession opens, and the pages go over this one once they have all ended.
    int Connections = 1;
    std::function<std::unique_ptr<IFtpSession>()> NewSession;

    // Asked once the plan is known, before anything is sent; false cancels the sync.
    std::function<bool(const TSyncPlan&)> OnPlan;
    std::function<void(const std::string&)> OnStatus;
    std::function<void(const std::string&)> OnWarning;
    std::function<void(std::int64_t bytes, std::int64_t expected)> OnProgress;
    std::function<void()> OnFinished;
    // Each file once it is in place under its own name.
    std::function<void(const TSyncFile&)> OnSent;

    // Logs in unless the session is connected already, then syncs.
    void Start();
    void Abort();
    bool Finished() const { return phase == TPhase::Done; }

    // The outcome: Failure is empty when the sync ran to its end; Refused names the files
    // the server would not take or delete; Cancelled when OnPlan said no, Aborted after
    // Abort.
    std::string Failure;
    // The session's error code when the login itself failed (an unknown certificate, say).
    int LoginError = 0;
    std::vector<std::string> Refused;
    bool Cancelled = false;
    bool Aborted = false;
    std::size_t SentCount = 0, DeletedCount = 0;
    // The plan, once made.
    TSyncPlan Plan;
    // The gallery's folder on the server, once entered.
    std::string GalleryPath;
    const TSyncManifest& Manifest() const { return manifest; }

    void SessionConnected() override {}
    void SessionClosed() override;
    void RequestDone(TFtpRequest request, int error) override;
    void Progress(std::int64_t bytes) override;
    void StateChanged(TFtpState) override {}

private:
    enum class TPhase {
        Idle,
        Login,
        LoginDir,
        Enter,
        MakeGallery,
        Fetch,
        Check,
        Steps,
        Waiting,
        // The pages wait for the crew's connections to end.
        Crew,
        Quit,
        Return,
        Done
    };
    enum class TStepKind {
        MakeDir,
        Put,
        Rename,
        ClearTarget,
        Delete,
        RemovePart,
        PutManifest,
        RenameManifest,
        // The part just sent has the local file's size on the server.
        CheckSize,
        // Everything the crew sends is in place before the pages go.
        AwaitCrew
    };
    struct TStep {
        TStepKind Kind;
        std::string Path;  // the gallery path the step is about
        const TSyncFile* File = nullptr;
        bool SecondTry = false;
    };

    IFtpSession& session;
    TSyncLogin login;
    std::string subDir;
    std::vector<TSyncFile> files;
    TSyncManifest manifest;
    std::deque<TStep> steps;
    TPhase phase = TPhase::Idle;
    bool planned = false;
    bool manifestWasRead = false;
    // The server's listings took entries out of the manifest read there.
    bool manifestChanged = false;
    std::deque<std::string> foldersToCheck;
    std::vector<std::string> leftParts;
    bool listingUnreadable = false;
    bool madeGallery = false;
    // Why the gallery's folder could not be made, when it could not.
    std::string galleryRefusal;
    // The server refused a file that is not a page: the pages are held back.
    bool earlyRefused = false;
    // The gallery's folder and its parents, made one level at a time.
    std::deque<std::string> foldersToMake;
    // The server knows no SIZE: sizes are read from the folder's listing instead.
    bool sizeByListing = false;
    TFtpRequest lastRequest = TFtpRequest::Connect;
    bool everConnected = false;
    int retriesLeft = 0;
    // Temporary refusals in a row, each answered by a longer pause.
    int temporaryRetries = 0;
    // The server knows no RNFR: files are stored under their final names.
    bool storeDirect = false;
    std::uint64_t bytesSinceManifest = 0, checkpointEvery = 0;
    std::int64_t expectedBytes = 0;
    std::string fetchedFile, writtenFile, listingFile;
    std::unique_ptr<TSyncCrew> crew;
    // Work left for later by the session's timer runs only while this sync still exists.
    std::shared_ptr<const bool> alive = std::make_shared<const bool>(true);

    void Later(int milliseconds, std::function<void()> work);
    void Request(TFtpRequest request);
    void Connect();
    void EnterGallery();
    void FetchManifest();
    void AfterFetch(int error);
    void CheckServer();
    void ListNextFolder();
    void AfterList(int error);
    void MakePlan();
    void QueueSends(const std::vector<TSyncFile>& send);
    bool StartCrew(const std::vector<TSyncFile>& send);
    void AfterCrew();
    void HoldBackPages();
    void RunStep();
    void StartStep(const TStep& step);
    void StepDone(int error);
    bool RetryLater(int error);
    std::string StoredName(const std::string& path) const;
    void StoreDirectFrom(const TStep& rename);
    void MakeGalleryFolders();
    void AfterSizeCheck(const TStep& step, int error);
    std::int64_t ListedSize(const std::string& path);
    void StepFailed(const TStep& step, int error);
    void RecordSent(const TSyncFile& file);
    void AfterRename(const TStep& step);
    void PutManifest();
    void Dropped();
    void Fail(const std::string& message);
    void End();
    void Warn(const std::string& text);
    void Status(const std::string& text);
    bool IsDrop(int error) const;
};

}  // namespace fsc
