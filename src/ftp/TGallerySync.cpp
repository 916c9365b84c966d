// The sync's steps over one FTP session and its recovery from dropped connections.
#include "ftp/TGallerySync.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/Errors.h"
#include "base/TDateTime.h"
#include "base/TStringList.h"
#include "ftp/FtpReplies.h"
#include "ftp/ListingReader.h"
#include "ftp/SyncScratchFiles.h"
#include "ftp/SyncServerCheck.h"
#include "ftp/TSyncCrew.h"

namespace fsc {

namespace {

std::string JoinRemote(const std::string& path, const std::string& name) {
    if (name.empty()) return path;
    if (!path.empty() && path.back() == '/') return path + name;
    return path + "/" + name;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return bool(out);
}

std::string PartName(const std::string& path) { return path + SyncPartSuffix; }

}  // namespace

TGallerySync::TGallerySync(IFtpSession& session, TSyncLogin login, std::string subDir,
                           std::vector<TSyncFile> files)
    : session(session),
      login(std::move(login)),
      subDir(std::move(subDir)),
      files(std::move(files)) {
    fetchedFile = ScratchFile("manifest-in");
    writtenFile = ScratchFile("manifest-out");
    listingFile = ScratchFile("listing");
}

TGallerySync::~TGallerySync() {
    session.SetEvents(nullptr);
    std::error_code ignored;
    std::filesystem::remove(fetchedFile, ignored);
    std::filesystem::remove(writtenFile, ignored);
    std::filesystem::remove(listingFile, ignored);
}

void TGallerySync::Start() {
    session.SetEvents(this);
    retriesLeft = RetryCount;
    if (session.Connected()) {
        everConnected = true;
        if (BasePath.empty()) {
            phase = TPhase::LoginDir;
            return Request(TFtpRequest::PrintDir);
        }
        return EnterGallery();
    }
    Connect();
}

void TGallerySync::Abort() {
    if (phase == TPhase::Done) return;
    steps.clear();
    if (crew) crew->Abort();
    Aborted = true;
    Failure = "Sync aborted.";
    phase = TPhase::Done;
    session.Start(TFtpRequest::Abort);
    if (OnFinished) OnFinished();
}

void TGallerySync::Later(int milliseconds, std::function<void()> work) {
    session.After(milliseconds, [alive = std::weak_ptr<const bool>(alive), work = std::move(work)] {
        if (!alive.expired()) work();
    });
}

void TGallerySync::Request(TFtpRequest request) {
    lastRequest = request;
    session.MaxDownloadBytes = request == TFtpRequest::Get    ? MaxManifestBytes
                               : request == TFtpRequest::List ? MaxListingBytes
                                                              : 0;
    session.Start(request);
}

void TGallerySync::Connect() {
    phase = TPhase::Login;
    Status("Connecting.");
    session.HostName = login.Host;
    session.UserName = login.User;
    session.PassWord = login.Password;
    session.Passive = login.Passive;
    session.Security = login.Security;
    Request(TFtpRequest::Connect);
}

void TGallerySync::EnterGallery() {
    phase = TPhase::Enter;
    // Once entered, the gallery's folder is known by its full path, also after a new login.
    session.HostDirName = GalleryPath.empty() ? JoinRemote(BasePath, subDir) : GalleryPath;
    Request(TFtpRequest::ChangeDir);
}

void TGallerySync::FetchManifest() {
    phase = TPhase::Fetch;
    Status("Reading the manifest.");
    std::error_code ignored;
    std::filesystem::remove(fetchedFile, ignored);
    session.HostFileName = SyncManifestName;
    session.LocalFileName = fetchedFile;
    Request(TFtpRequest::Get);
}

void TGallerySync::AfterFetch(int error) {
    manifest.clear();
    manifestChanged = false;
    if (error == FtpOk) {
        std::string problem = "it cannot be read";
        const auto text = ReadWholeFile(fetchedFile);
        const auto read = text ? ReadManifest(*text, problem) : std::nullopt;
        manifestWasRead = read.has_value();
        if (read) {
            manifest = *read;
        } else {
            // Without a trustworthy record nothing may be deleted: every file is sent and
            // the old files stay where they are.
            Warn("The manifest on the server is ignored: " + problem +
                 ". Every file is sent, and nothing is deleted.");
        }
    } else if (error == FtpErrorTooLarge) {
        Warn("The manifest on the server is ignored: it is larger than " +
             std::to_string(MaxManifestBytes) +
             " bytes, which no gallery's manifest comes near. Every file is sent, and nothing is "
             "deleted.");
    } else if (error / 100 == 4) {
        return Fail("Cannot read the manifest on the server: " + session.ErrorText());
    }
    // A permanent refusal (550) means there is none yet: the first sync into this folder.
    if (manifest.empty()) return MakePlan();
    CheckServer();
}

void TGallerySync::CheckServer() {
    phase = TPhase::Check;
    Status("Checking the files on the server.");
    const std::vector<std::string> folders = ManifestFolders(manifest);
    foldersToCheck.assign(folders.begin(), folders.end());
    leftParts.clear();
    listingUnreadable = false;
    ListNextFolder();
}

void TGallerySync::ListNextFolder() {
    if (foldersToCheck.empty()) return MakePlan();
    std::error_code ignored;
    std::filesystem::remove(listingFile, ignored);
    // The session is in the gallery's folder: its own listing is asked for without a name.
    session.HostFileName = foldersToCheck.front();
    session.LocalFileName = listingFile;
    Request(TFtpRequest::List);
}

void TGallerySync::AfterList(int error) {
    const std::string folder = foldersToCheck.front();
    foldersToCheck.pop_front();
    std::vector<std::string> notThere;
    if (error == 550) {
        // The whole folder is gone: everything the manifest puts there goes again.
        notThere = PathsInFolder(manifest, folder);
    } else if (error == FtpOk) {
        try {
            TFileList listing;
            ReadListing(SplitLines(ReadWholeFile(listingFile).value_or("")), listing, SystemNow());
            const TFolderCheck check = CheckFolder(manifest, folder, listing);
            notThere = check.NotThere;
            leftParts.insert(leftParts.end(), check.LeftParts.begin(), check.LeftParts.end());
        } catch (const EFscError&) {
            listingUnreadable = true;
        }
    } else {
        if (error == FtpErrorTooLarge) Warn(session.ErrorText());
        listingUnreadable = true;
    }
    for (const std::string& path : notThere) manifest.erase(path);
    if (!notThere.empty()) manifestChanged = true;
    if (listingUnreadable) {
        // Without listings the manifest is taken at its word, as it always could be.
        Warn(
            "The server's listing of the gallery cannot be read; files removed there by "
            "hand are not sent again.");
        foldersToCheck.clear();
    }
    ListNextFolder();
}

void TGallerySync::MakePlan() {
    Plan = PlanSync(files, manifest);
    const TSyncPlan& plan = Plan;
    planned = true;
    Status(PlanSummary(plan));
    if (PlanOnly || (OnPlan && !OnPlan(plan))) {
        Cancelled = true;
        return End();
    }
    // About the size the manifest will have; a record takes a hundred bytes or so.
    const std::uint64_t manifestSize = ManifestText(manifest).size() + 120 * plan.Send.size();
    checkpointEvery =
        CheckpointBytes > 0 ? CheckpointBytes : std::max<std::uint64_t>(1 << 20, 8 * manifestSize);
    std::set<std::string> folders;
    for (const TSyncFile& file : plan.Send) {
        for (std::string folder = FolderOf(file.Path); !folder.empty(); folder = FolderOf(folder))
            folders.insert(folder);
    }
    // A set orders "a" before "a/b": every parent is made before its children.
    for (const std::string& folder : folders) steps.push_back({TStepKind::MakeDir, folder});
    // Parts an earlier sync left behind when it gave up; a part about to be sent again is
    // simply overwritten.
    for (const std::string& part : leftParts) {
        const std::string path = part.substr(0, part.size() - std::string(SyncPartSuffix).size());
        const bool sentAgain = std::any_of(plan.Send.begin(), plan.Send.end(),
                                           [&](const TSyncFile& f) { return f.Path == path; });
        if (!sentAgain) steps.push_back({TStepKind::RemovePart, part});
    }
    if (!StartCrew(plan.Send)) QueueSends(plan.Send);
    for (const std::string& path : plan.Delete) steps.push_back({TStepKind::Delete, path});
    if (KeepManifest &&
        (!plan.Send.empty() || !plan.Delete.empty() || !manifestWasRead || manifestChanged)) {
        steps.push_back({TStepKind::PutManifest, SyncManifestName});
        steps.push_back({TStepKind::RenameManifest, SyncManifestName});
    }
    phase = TPhase::Steps;
    RunStep();
}

void TGallerySync::QueueSends(const std::vector<TSyncFile>& send) {
    for (const TSyncFile& file : send) {
        const TSyncFile* local = &*std::find_if(
            files.begin(), files.end(), [&](const TSyncFile& f) { return f.Path == file.Path; });
        steps.push_back({TStepKind::Put, file.Path, local});
        steps.push_back({TStepKind::CheckSize, file.Path, local});
        steps.push_back({TStepKind::Rename, file.Path, local});
    }
}

// Shares the files that are not pages out among the crew's connections and this one, which
// sends the pages once the crew has ended. False when this connection sends everything: a
// login costs more than a few small files take.
bool TGallerySync::StartCrew(const std::vector<TSyncFile>& send) {
    std::vector<TSyncFile> early, pages;
    for (const TSyncFile& file : send) (file.Page ? pages : early).push_back(file);
    const std::size_t members =
        std::min<std::size_t>(std::max(Connections, 1) - 1, early.size() / 4);
    if (PlanOnly || !NewSession || members == 0) return false;
    std::vector<std::vector<TSyncFile>> shares = SplitIntoShares(early, members + 1);
    QueueSends(shares.front());
    steps.push_back({TStepKind::AwaitCrew, ""});
    QueueSends(pages);
    shares.erase(shares.begin());
    crew = std::make_unique<TSyncCrew>(*this, login, subDir, NewSession, std::move(shares));
    crew->OnSent = [this](const TSyncFile& file) { RecordSent(file); };
    crew->OnStatus = [this](const std::string& text) { Status(text); };
    crew->OnWarning = [this](const std::string& text) { Warn(text); };
    crew->OnFinished = [this] {
        if (phase != TPhase::Crew) return;
        phase = TPhase::Steps;
        RunStep();
    };
    crew->Start();
    return true;
}

// A page would show a picture the server refused, and a delete might take a file the
// pages now on the server still show: the gallery there stays as it was, and the manifest
// records what did arrive.
void TGallerySync::HoldBackPages() {
    std::erase_if(steps, [](const TStep& step) {
        return step.Kind != TStepKind::PutManifest && step.Kind != TStepKind::RenameManifest;
    });
    Warn(
        "The pages were not sent, and nothing was deleted, so that no page on the server "
        "shows a file it refused.");
}

// What a connection of the crew gave up on goes over this one, before the pages.
void TGallerySync::AfterCrew() {
    if (!crew->Refused.empty()) earlyRefused = true;
    Refused.insert(Refused.end(), crew->Refused.begin(), crew->Refused.end());
    for (const std::string& failure : crew->Failures)
        Warn("A further connection gave up (" + failure + "); its files go over the first.");
    std::deque<TStep> rest = std::move(steps);
    steps.clear();
    QueueSends(crew->Unsent);
    steps.insert(steps.end(), rest.begin(), rest.end());
}

void TGallerySync::MakeGalleryFolders() {
    if (foldersToMake.empty()) return EnterGallery();
    session.HostFileName = foldersToMake.front();
    foldersToMake.pop_front();
    Request(TFtpRequest::MakeDir);
}

void TGallerySync::RunStep() {
    // A file removed since the sync began (a rebuild, by hand) is passed over: the rest of
    // the gallery still goes, and the manifest does not claim it.
    while (!steps.empty() && steps.front().Kind == TStepKind::Put && steps.front().File &&
           !std::filesystem::exists(steps.front().File->FullPath)) {
        Warn("Skipped " + steps.front().Path + ": it is no longer in the gallery folder.");
        const std::string path = steps.front().Path;
        while (!steps.empty() && steps.front().Path == path) steps.pop_front();
    }
    // Without renames a file is in place as soon as it has arrived.
    while (storeDirect && !steps.empty() &&
           (steps.front().Kind == TStepKind::Rename ||
            steps.front().Kind == TStepKind::RenameManifest)) {
        const TStep step = steps.front();
        steps.pop_front();
        if (step.Kind == TStepKind::Rename) AfterRename(step);
    }
    if (steps.empty()) return End();
    if (earlyRefused && steps.front().Kind == TStepKind::Put && steps.front().File &&
        steps.front().File->Page)
        HoldBackPages();
    if (steps.empty()) return End();
    if (steps.front().Kind == TStepKind::AwaitCrew) {
        if (!crew->Finished()) {
            phase = TPhase::Crew;
            return;
        }
        steps.pop_front();
        AfterCrew();
        return RunStep();
    }
    StartStep(steps.front());
}

std::string TGallerySync::StoredName(const std::string& path) const {
    return storeDirect ? path : PartName(path);
}

// A server without RNFR would strand every file under its temporary name: the rest goes
// under its final names, in the same order, so pages still go last.
void TGallerySync::StoreDirectFrom(const TStep& rename) {
    storeDirect = true;
    Warn("The server cannot rename files (" + session.ErrorText() +
         "): the rest is stored under its final names, pages still last, so a visitor may "
         "see a file while it arrives.");
    steps.push_front({TStepKind::RemovePart, PartName(rename.Path)});
    if (rename.Kind == TStepKind::RenameManifest) {
        steps.push_front({TStepKind::PutManifest, rename.Path});
        return;
    }
    steps.push_front(rename);
    steps.push_front({TStepKind::CheckSize, rename.Path, rename.File});
    steps.push_front({TStepKind::Put, rename.Path, rename.File});
}

// Replies that say "not now" rather than "no": the same step is tried again after a pause
// that doubles each time.
bool TGallerySync::RetryLater(int error) {
    static const std::set<int> temporary{425, 426, 450, 451, 452};
    if (!temporary.count(error) || steps.front().Kind == TStepKind::PutManifest ||
        temporaryRetries >= RetryCount)
        return false;
    const int pause = RetryPauseMs << temporaryRetries;
    ++temporaryRetries;
    Warn(steps.front().Path + ": " + session.ErrorText() + "; trying again.");
    phase = TPhase::Waiting;
    Later(pause, [this] {
        if (phase != TPhase::Waiting) return;
        phase = TPhase::Steps;
        RunStep();
    });
    return true;
}

void TGallerySync::StartStep(const TStep& step) {
    switch (step.Kind) {
        case TStepKind::MakeDir:
            session.HostFileName = step.Path;
            return Request(TFtpRequest::MakeDir);
        case TStepKind::Put:
            Status("Sending " + step.Path);
            expectedBytes = std::int64_t(step.File->Entry.Size);
            session.LocalFileName = step.File->FullPath;
            session.HostFileName = StoredName(step.Path);
            return Request(TFtpRequest::Put);
        case TStepKind::Rename:
        case TStepKind::RenameManifest:
            session.HostFileName = PartName(step.Path);
            session.HostNewName = step.Path;
            return Request(TFtpRequest::Rename);
        case TStepKind::ClearTarget:
        case TStepKind::RemovePart:
        case TStepKind::Delete:
            if (step.Kind == TStepKind::Delete) Status("Deleting " + step.Path);
            session.HostFileName = step.Path;
            return Request(TFtpRequest::Delete);
        case TStepKind::PutManifest:
            return PutManifest();
        case TStepKind::AwaitCrew:
            return;
        case TStepKind::CheckSize:
            if (sizeByListing) {
                std::error_code ignored;
                std::filesystem::remove(listingFile, ignored);
                session.HostFileName = FolderOf(step.Path);
                session.LocalFileName = listingFile;
                return Request(TFtpRequest::List);
            }
            session.HostFileName = StoredName(step.Path);
            return Request(TFtpRequest::Size);
    }
}

void TGallerySync::PutManifest() {
    Status("Writing the manifest.");
    if (!WriteWholeFile(writtenFile, ManifestText(manifest))) {
        return Fail("Cannot write the local file " + writtenFile + ".");
    }
    bytesSinceManifest = 0;
    expectedBytes = 0;
    session.LocalFileName = writtenFile;
    session.HostFileName = StoredName(SyncManifestName);
    Request(TFtpRequest::Put);
}

void TGallerySync::RequestDone(TFtpRequest request, int error) {
    if (error == FtpErrorBusy || phase == TPhase::Done || phase == TPhase::Waiting ||
        phase == TPhase::Crew || request == TFtpRequest::Abort) {
        return;
    }
    if (phase == TPhase::Quit || phase == TPhase::Return) {
        phase = TPhase::Done;
        if (OnFinished) OnFinished();
        return;
    }
    if (error == FtpErrorLocalFile) return Fail(session.ErrorText());
    if (IsDrop(error) && (everConnected || phase != TPhase::Login)) return Dropped();
    switch (phase) {
        case TPhase::Login:
            if (error != FtpOk) {
                LoginError = error;
                return Fail("Connection failed: " + session.ErrorText());
            }
            if (!everConnected && !session.LoginNotice().empty()) Warn(session.LoginNotice());
            everConnected = true;
            if (!BasePath.empty() || !GalleryPath.empty()) return EnterGallery();
            phase = TPhase::LoginDir;
            return Request(TFtpRequest::PrintDir);
        case TPhase::LoginDir:
            if (error != FtpOk) return Fail("The server names no folder: " + session.ErrorText());
            BasePath = session.DirResult();
            return EnterGallery();
        case TPhase::Enter:
            if (error == FtpOk) {
                GalleryPath = session.HostDirName;
                if (!planned) return KeepManifest ? FetchManifest() : MakePlan();
                phase = TPhase::Steps;
                return RunStep();
            }
            if (PlanOnly && GalleryPath.empty() && !subDir.empty()) return MakePlan();
            if (!GalleryPath.empty() || subDir.empty() || madeGallery) break;
            madeGallery = true;
            phase = TPhase::MakeGallery;
            for (std::size_t slash = 0; slash != std::string::npos;) {
                slash = subDir.find('/', slash + 1);
                foldersToMake.push_back(JoinRemote(BasePath, subDir.substr(0, slash)));
            }
            return MakeGalleryFolders();
        case TPhase::MakeGallery:
            // Made or not ("exists" is a refusal too), entering it says whether it is there;
            // if it is not, the refusal says why.
            if (error != FtpOk) galleryRefusal = session.ErrorText();
            return MakeGalleryFolders();
        case TPhase::Fetch:
            return AfterFetch(error);
        case TPhase::Check:
            return AfterList(error);
        case TPhase::Steps:
            return StepDone(error);
        default:
            return;
    }
    Fail("Cannot change to the remote directory " + PrintableText(session.HostDirName) +
         (galleryRefusal.empty() ? "." : ", and making it failed: " + galleryRefusal));
}

bool TGallerySync::IsDrop(int error) const {
    return error == FtpErrorConnection || error == FtpErrorTimeout || error == 421 ||
           (error != FtpOk && !session.Connected());
}

void TGallerySync::StepDone(int error) {
    if (error != FtpOk && RetryLater(error)) return;
    if (error == FtpOk) temporaryRetries = 0;
    const TStep step = steps.front();
    steps.pop_front();
    if (step.Kind == TStepKind::CheckSize) {
        AfterSizeCheck(step, error);
    } else if (error != FtpOk) {
        StepFailed(step, error);
    } else if (step.Kind == TStepKind::Rename) {
        AfterRename(step);
    } else if (step.Kind == TStepKind::Delete) {
        manifest.erase(step.Path);
        ++DeletedCount;
    }
    if (phase == TPhase::Steps) RunStep();
}

std::int64_t TGallerySync::ListedSize(const std::string& path) {
    TFileList listing;
    try {
        ReadListing(SplitLines(ReadWholeFile(listingFile).value_or("")), listing, SystemNow());
    } catch (const EFscError&) {
        return -1;
    }
    const TFile* file = listing.Find(StoredName(path.substr(path.rfind('/') + 1)));
    return file == nullptr || file->IsDir ? -1 : file->Size;
}

// A server may answer "226" for a data connection that was cut short: only the size on the
// server tells that the whole file arrived, before it is renamed into place.
void TGallerySync::AfterSizeCheck(const TStep& step, int error) {
    if (!sizeByListing && lastRequest == TFtpRequest::Size &&
        (error == 500 || error == 502 || error == 504)) {
        sizeByListing = true;
        steps.push_front(step);
        return;
    }
    if (error == FtpErrorTooLarge) {
        // A listing without end: nothing can be checked, and sending again would not help.
        Failure =
            "Cannot check the size of " + step.Path + " on the server: " + session.ErrorText();
        steps.clear();
        if (!storeDirect) steps.push_back({TStepKind::RemovePart, PartName(step.Path)});
        return;
    }
    std::int64_t size = -1;
    if (error == FtpOk) size = sizeByListing ? ListedSize(step.Path) : session.SizeResult();
    const auto expected = std::int64_t(step.File->Entry.Size);
    if (size == expected) return;
    const std::string found =
        size < 0 ? "could not be found there" : "has " + std::to_string(size) + " bytes there";
    if (step.SecondTry) {
        Failure = step.Path + " was sent twice and " + found + " instead of " +
                  std::to_string(expected) +
                  " bytes; the server may be out of space, or the connection cuts transfers "
                  "short.";
        // The run ends here, but without the cut-off part it leaves on the server.
        steps.clear();
        if (!storeDirect) steps.push_back({TStepKind::RemovePart, PartName(step.Path)});
        return;
    }
    Warn(step.Path + " " + found + " instead of " + std::to_string(expected) +
         " bytes; sending it again.");
    steps.push_front({TStepKind::CheckSize, step.Path, step.File, true});
    steps.push_front({TStepKind::Put, step.Path, step.File, true});
}

void TGallerySync::RecordSent(const TSyncFile& file) {
    manifest[file.Path] = file.Entry;
    ++SentCount;
    bytesSinceManifest += file.Entry.Size;
    if (OnSent) OnSent(file);
}

void TGallerySync::AfterRename(const TStep& step) {
    RecordSent(*step.File);
    // Progress made: a later drop gets its own attempts.
    retriesLeft = RetryCount;
    const bool morePuts = std::any_of(steps.begin(), steps.end(),
                                      [](const TStep& s) { return s.Kind == TStepKind::Put; });
    if (KeepManifest && bytesSinceManifest >= checkpointEvery && morePuts) {
        steps.push_front({TStepKind::RenameManifest, SyncManifestName});
        steps.push_front({TStepKind::PutManifest, SyncManifestName});
    }
}

void TGallerySync::StepFailed(const TStep& step, int error) {
    const std::string reason = session.ErrorText();
    switch (step.Kind) {
        case TStepKind::MakeDir:
        case TStepKind::ClearTarget:
        case TStepKind::RemovePart:
            // Mostly "exists already"; a folder that is really missing fails its files. A
            // part that will not go is only clutter.
            return;
        case TStepKind::Put:
            Refused.push_back(step.Path + " (" + reason + ")");
            if (!step.File->Page) earlyRefused = true;
            // Its check and its rename would put nothing, or an older part, in place; what
            // did arrive of it is cleared away rather than left as clutter.
            if (!steps.empty() && steps.front().Kind == TStepKind::CheckSize) steps.pop_front();
            if (!steps.empty() && steps.front().Kind == TStepKind::Rename) steps.pop_front();
            steps.push_front({TStepKind::RemovePart, PartName(step.Path)});
            return;
        case TStepKind::Rename:
        case TStepKind::RenameManifest:
            if (!storeDirect && (error == 500 || error == 502 || error == 504))
                return StoreDirectFrom(step);
            if (!step.SecondTry) {
                // Some servers will not rename onto an existing file: clear the way once.
                TStep again = step;
                again.SecondTry = true;
                steps.push_front(again);
                steps.push_front({TStepKind::ClearTarget, step.Path});
                return;
            }
            if (step.Kind == TStepKind::RenameManifest)
                return Fail("Cannot write the manifest on the server: " + reason);
            // The way was cleared: the server may no longer hold the file at all, and the
            // manifest must not say it does, or the next sync would not send it again.
            manifest.erase(step.Path);
            Refused.push_back(step.Path + " (" + reason + ")");
            if (!step.File->Page) earlyRefused = true;
            return;
        case TStepKind::Delete:
            if (error == 550) {
                // Gone already, by hand or by a delete whose answer was lost.
                manifest.erase(step.Path);
                return;
            }
            Warn("Cannot delete " + step.Path + " on the server: " + reason);
            return;
        case TStepKind::PutManifest:
            return Fail("Cannot write the manifest on the server: " + reason);
        case TStepKind::CheckSize:
        case TStepKind::AwaitCrew:
            return;
    }
}

void TGallerySync::Dropped() {
    if (retriesLeft <= 0) {
        return Fail("The connection was lost and could not be taken up again: " +
                    session.ErrorText());
    }
    --retriesLeft;
    // A rename whose answer was lost may have happened: the part is gone then, and
    // renaming again would fail. Sending the file once more is always right.
    const TStep front = steps.empty() ? TStep{TStepKind::MakeDir, ""} : steps.front();
    if (phase == TPhase::Steps && front.Kind == TStepKind::Rename) {
        steps.front().SecondTry = false;
        steps.push_front({TStepKind::CheckSize, front.Path, front.File});
        steps.push_front({TStepKind::Put, front.Path, front.File});
    } else if (phase == TPhase::Steps && front.Kind == TStepKind::RenameManifest) {
        steps.front().SecondTry = false;
        steps.push_front({TStepKind::PutManifest, front.Path});
    }
    Warn("The connection was lost (" + session.ErrorText() + "); trying again.");
    phase = TPhase::Waiting;
    if (session.Connected()) session.Start(TFtpRequest::Abort);
    Later(RetryPauseMs, [this] {
        if (phase == TPhase::Waiting) Connect();
    });
}

void TGallerySync::SessionClosed() {}

void TGallerySync::Progress(std::int64_t bytes) {
    if (OnProgress && phase == TPhase::Steps) OnProgress(bytes, expectedBytes);
}

void TGallerySync::Fail(const std::string& message) {
    Failure = message;
    steps.clear();
    if (crew) crew->Abort();
    End();
}

void TGallerySync::End() {
    if (QuitAtEnd && session.Connected()) {
        phase = TPhase::Quit;
        return Request(TFtpRequest::Quit);
    }
    if (!QuitAtEnd && session.Connected() && !GalleryPath.empty() && phase != TPhase::Return) {
        // The session goes on where it was, so that the next sync lands in the same folder.
        phase = TPhase::Return;
        session.HostDirName = BasePath;
        return Request(TFtpRequest::ChangeDir);
    }
    phase = TPhase::Done;
    if (OnFinished) OnFinished();
}

void TGallerySync::Warn(const std::string& text) {
    if (OnWarning) OnWarning(text);
}

void TGallerySync::Status(const std::string& text) {
    if (OnStatus) OnStatus(text);
}

}  // namespace fsc
