// The job interpreter of the FTP window and its reactions to the session's events.
#include "ftp/TFtpJobQueue.h"

#include <filesystem>

#include "base/AppFolders.h"
#include "base/ErrorMessage.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TDateTime.h"
#include "base/Text.h"
#include "ftp/ByteProgress.h"
#include "ftp/JobLine.h"
#include "ftp/ListingReader.h"

namespace fsc {

namespace {

// "/" + "pics" gives "/pics", not "//pics": not every server folds double separators.
std::string JoinRemote(const std::string& path, const std::string& name) {
    if (!path.empty() && path.back() == '/') return path + name;
    return path + "/" + name;
}

// A name from a server that could lead a download or a delete out of the current folder.
bool IsUnsafeName(const std::string& name) {
    return name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
           name.find('\\') != std::string::npos;
}

std::string ActionsLeft(std::size_t count) {
    return std::to_string(count) + " actions left to do.";
}

}  // namespace

std::string TFtpJobQueue::PathFromLogin() const {
    if (LoginPath.empty() || LoginPath == "/") return RemotePath;
    if (RemotePath == LoginPath) return "/";
    if (StartsWith(RemotePath, LoginPath + "/")) return RemotePath.substr(LoginPath.size());
    return RemotePath;
}

std::string ListingFilePath() { return JoinPath(StateFolder(), "ftp.tmp"); }

TFtpJobQueue::TFtpJobQueue(IFtpSession& session, IAsk& ask, IShell& shell, IMessages& messages,
                           IProgress& progress, std::string listingFile)
    : session(session),
      ask(ask),
      shell(shell),
      messages(messages),
      progress(progress),
      listingFile(std::move(listingFile)) {
    session.SetEvents(this);
}

TFtpJobQueue::~TFtpJobQueue() { session.SetEvents(nullptr); }

void TFtpJobQueue::Connect(const std::string& hostName, const std::string& userName,
                           const std::string& passWord, bool passiveMode,
                           const TFtpSecurity& protection) {
    host = hostName;
    user = userName;
    password = passWord;
    passive = passiveMode;
    security = protection;
    Busy = true;
    ShowProgress("Connecting.");
    if (session.Connected()) {
        // One request at a time: the new login starts once the old session has closed.
        connectAfterQuit = true;
        StartRequest(TFtpRequest::Quit);
        return;
    }
    StartConnect();
}

void TFtpJobQueue::StartRequest(TFtpRequest request) {
    if (request != TFtpRequest::Abort) requestRunning = true;
    session.Start(request);
}

void TFtpJobQueue::StartConnect() {
    session.HostName = host;
    session.UserName = user;
    session.PassWord = password;
    session.Passive = passive;
    session.Security = security;
    password.clear();
    closeReason.clear();
    StartRequest(TFtpRequest::Connect);
}

void TFtpJobQueue::ShowProgress(const std::string& text) {
    progressText = text;
    progress.SetAbortHandler([this] { Abort(); });
    progress.Update(0, 0, text, 1);
}

void TFtpJobQueue::Changed() {
    if (OnChanged) OnChanged();
}

void TFtpJobQueue::Quit() {
    if (session.Connected() && !requestRunning) StartRequest(TFtpRequest::Quit);
}

void TFtpJobQueue::ShowProgressText(const std::string& text) {
    if (!Working()) return;
    progressText = text;
    progress.Update(0, 0, text, 1);
}

void TFtpJobQueue::Abort() {
    progress.Hide();
    Jobs.clear();
    StartRequest(TFtpRequest::Abort);
}

void TFtpJobQueue::ChangeLocalDir(const std::string& directory) {
    if (!DirectoryExists(directory)) throw EUserInputError("Cannot find directory " + directory);
    LocalDir = std::filesystem::canonical(directory).string();
    ReadLocalList();
}

void TFtpJobQueue::ReadLocalList() {
    LocalList.Clear();
    // The system reports "." and ".." too; the grid needs ".." to go up.
    for (const char* dot : {".", ".."}) {
        LocalList.Add({dot, true, false, 0, FileDate(JoinPath(LocalDir, dot))});
    }
    for (const TDirEntry& entry : ListDirectory(LocalDir)) LocalList.AddLocal(entry);
    LocalList.Order();
    LocalDirText = LocalDir;
    Changed();
}

void TFtpJobQueue::SessionConnected() {
    StatusText = "Status Connected.";
    HostText = "Host: " + session.HostName;
    Busy = true;
    progressText = "Getting directory.";
    progress.Update(0, 0, progressText, 1);
    RemoteList.Clear();
    RemoteShown = false;
    RemotePath = "/";
    LoginPath = "/";
    askedLoginDir = false;
    Changed();
}

void TFtpJobQueue::SessionClosed() {
    requestRunning = false;
    StatusText = "Status Disconnected." + (closeReason.empty() ? "" : " " + closeReason);
    closeReason.clear();
    Jobs.clear();
    RemoteList.Clear();
    RemoteShown = false;
    progress.Hide();
    Busy = false;
    RemotePath.clear();
    session.HostDirName.clear();
    session.HostFileName.clear();
    session.LocalFileName.clear();
    Changed();
    if (connectAfterQuit) {
        connectAfterQuit = false;
        Busy = true;
        ShowProgress("Connecting.");
        StartConnect();
    }
}

void TFtpJobQueue::StateChanged(TFtpState state) {
    if (state != TFtpState::NotConnected && state != TFtpState::Aborting) return;
    Jobs.clear();
    RemoteList.Clear();
    RemoteShown = false;
    Changed();
}

void TFtpJobQueue::Progress(std::int64_t bytes) {
    ShowBytes(progress, bytes, ExpectedSize, progressText);
    StatusBarText = ActionsLeft(Jobs.size()) +
                    " Bytes transfered in current operation: " + std::to_string(bytes);
    Changed();
}

void TFtpJobQueue::RequestDone(TFtpRequest request, int error) {
    // A request refused because another runs: that one's completion carries the queue on.
    if (error == FtpErrorBusy) return;
    requestRunning = false;
    if (request == TFtpRequest::Connect) session.PassWord.clear();
    if (request == TFtpRequest::Connect && error != FtpOk) {
        // A refused login is said plainly and ends the half-open session.
        closeReason = "Connection failed: " + session.ErrorText();
        StatusText = "Status " + closeReason;
        Jobs.clear();
        progress.Hide();
        Busy = false;
        if (session.Connected()) StartRequest(TFtpRequest::Quit);
        Changed();
        if (OnConnectFailed) OnConnectFailed(error);
        return;
    }
    if (error == FtpErrorLocalFile) return BackgroundError(session.ErrorText());
    if (error != FtpOk && !session.Connected()) {
        // The connection is gone (time-out, server closed it, or it was never there):
        // nothing more can run. SessionClosed, when it follows, says the same again.
        closeReason = session.ErrorText();
        StatusText = "Status Disconnected. " + closeReason;
        Jobs.clear();
        progress.Hide();
        Busy = false;
        Changed();
        return;
    }
    StatusBarText = ActionsLeft(Jobs.size());
    if (Jobs.empty()) {
        progress.Hide();
        Busy = false;
    }
    if (request == TFtpRequest::PrintDir && error == FtpOk && !session.DirResult().empty()) {
        RemotePath = session.DirResult();
        session.HostDirName = RemotePath;
        if (askedLoginDir) LoginPath = RemotePath;
    }
    WebDirText = RemotePath;
    Changed();
    try {
        switch (request) {
            case TFtpRequest::ChangeDir:
                return AfterChangeDir(error);
            case TFtpRequest::List:
                AfterList(error);
                break;
            case TFtpRequest::Connect:
                // Most servers log a user in to a home folder, not to "/": every path that
                // follows starts from the folder the server names.
                askedLoginDir = true;
                return StartRequest(TFtpRequest::PrintDir);
            case TFtpRequest::PrintDir:
                if (!askedLoginDir) break;
                askedLoginDir = false;
                return StartList();
            default:
                break;
        }
    } catch (...) {
        return BackgroundError(ErrorMessage(std::current_exception()));
    }
    if (session.Connected()) RunNextJob();
}

void TFtpJobQueue::AfterChangeDir(int error) {
    if (error != FtpOk) {
        // What follows a change of directory would land in the wrong folder: stop there.
        StatusText = "Status Cannot change to the remote directory " + session.HostDirName + ".";
        Jobs.clear();
        if (!localDirBeforeChDir.empty()) ChangeLocalDir(localDirBeforeChDir);
        localDirBeforeChDir.clear();
        RemoteList.Clear();
        RemoteShown = false;
        return StartList();
    }
    localDirBeforeChDir.clear();
    RemotePath = session.HostDirName;
    WebDirText = RemotePath;
    ShowProgress("Getting Dir.");
    RemoteList.Clear();
    RemoteShown = false;
    Changed();
    StartList();
}

void TFtpJobQueue::AfterList(int error) {
    RemoteList.Clear();
    RemoteShown = false;
    // A refused listing leaves the old listing file behind; it must not pass for this one.
    if (error != FtpOk) return;
    try {
        ReadListing(LoadLines(listingFile), RemoteList, SystemNow());
    } catch (const EFscError&) {
        return BackgroundError(ErrorMessage(std::current_exception()));
    }
    // Most servers list no "..": without it a double click could enter a remote directory
    // but never leave it again. The entry stands for the parent, as in the local pane.
    if (RemotePath != "/" && !RemotePath.empty() && RemoteList.Find("..") == nullptr)
        RemoteList.Add({"..", true, false, 0, 0});
    if (!Busy) {
        RemoteList.Order();
        RemoteShown = true;
    }
    WebDirText = session.HostDirName;
    Changed();
}

void TFtpJobQueue::BackgroundError(const std::string& message) {
    Jobs.clear();
    RemoteList.Clear();
    RemoteShown = false;
    progress.Hide();
    Busy = false;
    if (session.Connected()) StartRequest(TFtpRequest::Quit);
    Changed();
    if (OnBackgroundError) OnBackgroundError(message);
}

void TFtpJobQueue::RunNextJob() {
    try {
        while (!RunJob()) {
        }
    } catch (...) {
        BackgroundError(ErrorMessage(std::current_exception()));
    }
}

bool TFtpJobQueue::RunJob() {
    if (Jobs.empty()) {
        progress.Hide();
        Busy = false;
        // A sequence whose last listing is followed by other jobs (the gallery upload opens
        // the browser after it) shows that listing once it is over; every change of directory
        // empties the list, so it always belongs to the current remote directory.
        if (!RemoteShown && session.Connected() && RemoteList.Count() > 0) {
            RemoteList.Order();
            RemoteShown = true;
        }
        // The count shown at the last request's end may still include such a final job.
        if (!StatusBarText.empty()) StatusBarText = ActionsLeft(0);
        Changed();
        return true;
    }
    ShowProgress("");
    Busy = true;
    const std::string line = Jobs.front();
    const std::string job = JobField(line, 0), name = JobField(line, 1);
    const bool isDir = JobField(line, 2) == "TRUE";
    if (job == "ChDir" || job == "WebChDir") return ChangeDirJob(line, name, job == "ChDir");
    Jobs.erase(Jobs.begin());
    if (job == "Up") {
        if (SkipUnsafe(name)) return false;
        if (DirectoryExists(JoinPath(LocalDir, name))) {
            InsertFront({"ChDir;" + name, "UpSelectAll", "ChDir;.."});
            return false;
        }
        const std::string path = JoinPath(LocalDir, name);
        if (!FileExists(path)) throw EFSC_Exception("Cannot open the file " + path + ".");
        ShowProgress("Upload " + name);
        ExpectedSize = std::int64_t(FileSize(path));
        StartOnFile(TFtpRequest::Put, name);
    } else if (job == "Down") {
        if (SkipUnsafe(name)) return false;
        if (isDir) {
            InsertFront({"ChDir;" + name, "List;", "DownSelectAll", "ChDir;.."});
            return false;
        }
        ShowProgress("Download " + name);
        const TFile* remote = RemoteList.Find(name);
        ExpectedSize = remote != nullptr ? remote->Size : 0;
        StartOnFile(TFtpRequest::Get, name);
    } else if (job == "PWD") {
        StartRequest(TFtpRequest::PrintDir);
    } else if (job == "UpSelectAll" || job == "DownSelectAll" || job == "DelSelectAll") {
        const TFileList& list = job == "UpSelectAll" ? LocalList : RemoteList;
        for (const TFile& file : list.Entries()) {
            if (file.Name == "." || file.Name == "..") continue;
            if (job == "UpSelectAll") {
                Jobs.insert(Jobs.begin(), "Up;" + file.Name);
            } else {
                Jobs.insert(Jobs.begin(), (job == "DownSelectAll" ? "Down;" : "Del;") + file.Name +
                                              ";" + JobFlag(file.IsDir));
            }
        }
        return false;
    } else if (job == "Del") {
        if (SkipUnsafe(name)) return false;
        if (!isDir) {
            StartOnFile(TFtpRequest::Delete, name);
            return true;
        }
        if (ask.Ask("Delete directory " + name, "including all of its files?")) {
            InsertFront({"WebChDir;" + name, "List;", "DelSelectAll", "WebChDir;..", "List;",
                         "DelDir;" + name + ";TRUE"});
        }
        return false;
    } else if (job == "DelDir") {
        if (!isDir) return false;
        StartOnFile(TFtpRequest::RemoveDir, name);
    } else if (job == "Create") {
        StartOnFile(TFtpRequest::MakeDir, name);
    } else if (job == "LocalCreate") {
        std::filesystem::create_directory(JoinPath(LocalDir, name));
        return false;
    } else if (job == "Browser") {
        shell.Open(name);
        return false;
    } else {
        ReadLocalList();
        StartList();
    }
    return true;
}

bool TFtpJobQueue::SkipUnsafe(const std::string& name) {
    if (!IsUnsafeName(name)) return false;
    StatusText = "Status Skipped the unsafe name \"" + name + "\".";
    Changed();
    return true;
}

bool TFtpJobQueue::ChangeDirJob(const std::string& line, const std::string& name, bool withLocal) {
    // ".." is the parent on every server, listed or not.
    const bool known = name == ".." || RemoteList.Find(name) != nullptr || createdFor == line;
    if (!known) {
        // Create the directory, list again and run this job once more.
        createdFor = line;
        Jobs.insert(Jobs.begin(), "List;");
        StartOnFile(TFtpRequest::MakeDir, name);
        return true;
    }
    createdFor.clear();
    if (withLocal) {
        if (name != ".." && IsUnsafeName(name))
            throw EFSC_Exception("Unsafe directory name: " + name);
        MakeLocalCurrent(name);
    }
    Jobs.erase(Jobs.begin());
    session.HostDirName = JoinRemote(RemotePath, name);
    Jobs.insert(Jobs.begin(), "PWD");
    StartRequest(TFtpRequest::ChangeDir);
    return true;
}

void TFtpJobQueue::MakeLocalCurrent(const std::string& name) {
    const std::string directory = JoinPath(LocalDir, name);
    if (!DirectoryExists(directory)) ForceDirectories(directory);
    localDirBeforeChDir = LocalDir;
    try {
        ChangeLocalDir(directory);
    } catch (const EUserInputError&) {
        messages.ShowMessage("Cannot find directory");
    }
}

void TFtpJobQueue::InsertFront(std::initializer_list<std::string> lines) {
    Jobs.insert(Jobs.begin(), lines.begin(), lines.end());
}

void TFtpJobQueue::StartList() {
    ForceDirectories(ExtractFileDir(listingFile));
    session.LocalFileName = listingFile;
    session.HostDirName = RemotePath;
    session.HostFileName.clear();
    StartRequest(TFtpRequest::List);
}

void TFtpJobQueue::StartOnFile(TFtpRequest request, const std::string& name) {
    if (request == TFtpRequest::Put || request == TFtpRequest::Get) {
        session.LocalFileName = JoinPath(LocalDir, name);
    }
    session.HostDirName = RemotePath;
    session.HostFileName = name;
    StartRequest(request);
}

}  // namespace fsc
