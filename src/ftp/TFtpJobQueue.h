// The FTP window's job queue and its interpreter, free of any window: the job lines, the
// two file lists, the current directories, the busy flag and the texts the window shows.
//
// Every user action becomes job lines ("Up;name", "Down;name;TRUE", "ChDir;name", ...) that
// run one after the other; each job starts at most one request of the session and that
// request's completion runs the next job. What it writes: downloads into the current local
// directory (each file whole or not at all), the listing file, and new local directories
// of "ChDir" and "LocalCreate". It asks one question, before deleting a remote directory
// tree. A local file that cannot be read or written, a directory that cannot be created,
// or a listing that is not a Unix long listing ends the session through OnBackgroundError;
// files already moved stay where they are.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/IAsk.h"
#include "base/IMessages.h"
#include "base/IProgress.h"
#include "base/IShell.h"
#include "base/TStringList.h"
#include "ftp/IFtpSession.h"
#include "ftp/TFileList.h"

namespace fsc {

// The listing file, ftp.tmp in the per-user state folder.
std::string ListingFilePath();

class TFtpJobQueue : public IFtpSessionEvents {
public:
    TFtpJobQueue(IFtpSession& session, IAsk& ask, IShell& shell, IMessages& messages,
                 IProgress& progress, std::string listingFile);
    ~TFtpJobQueue() override;

    TStringList Jobs;
    TFileList RemoteList;
    TFileList LocalList;
    std::string RemotePath;
    // The folder the server put the user in at login, as its PWD named it.
    std::string LoginPath;
    std::string LocalDir;
    bool Busy = false;
    std::int64_t ExpectedSize = 0;

    // What the window shows: StatusEdit, ConnectedHostEdit, WebDirEdit, LocalDirEdit, the
    // status bar, and whether the remote grid shows RemoteList (it stays empty while busy).
    std::string StatusText = "Status:";
    std::string HostText = "Host:";
    std::string WebDirText;
    std::string LocalDirText;
    std::string StatusBarText;
    bool RemoteShown = false;
    // The WWW address of the profile in use, the start of the gallery's address.
    std::string WWWAddress = "http://";

    // A job sequence or a request is under way: user actions wait. Busy alone is cleared
    // before the final listing of a sequence, so that the listing is shown.
    bool Working() const { return Busy || requestRunning; }
    bool Connected() const { return session.Connected(); }
    // RemotePath as seen from the login folder ("/" for the login folder itself), the part
    // that a web address of the login folder continues with.
    std::string PathFromLogin() const;

    // Called after every change of the state above.
    std::function<void()> OnChanged;
    // A job failed in a way that ends the session; the window closes.
    std::function<void(const std::string& message)> OnBackgroundError;
    // A login failed with this error code (after the status says so); the window uses it to
    // offer trust in an unknown certificate.
    std::function<void(int error)> OnConnectFailed;

    // Logs in (quitting a running session first); the password serves this login only.
    void Connect(const std::string& host, const std::string& user, const std::string& password,
                 bool passive, const TFtpSecurity& security = {});
    void RunNextJob();
    // The progress window's "Abort": empties the queue and closes the connection at once.
    void Abort();
    // Sends Quit (when connected and no request runs).
    void Quit();
    // Replaces the progress window's text line, keeping the bar.
    void ShowProgressText(const std::string& text);
    IAsk& Ask() { return ask; }
    // Makes `directory` the current local directory and reads the local list.
    void ChangeLocalDir(const std::string& directory);
    void ReadLocalList();

    void SessionConnected() override;
    void SessionClosed() override;
    void RequestDone(TFtpRequest request, int error) override;
    void Progress(std::int64_t bytes) override;
    void StateChanged(TFtpState state) override;

private:
    IFtpSession& session;
    IAsk& ask;
    IShell& shell;
    IMessages& messages;
    IProgress& progress;
    std::string listingFile;
    std::string progressText;
    std::string host, user, password;
    bool passive = false;
    TFtpSecurity security;
    bool connectAfterQuit = false;
    bool requestRunning = false;
    // The PWD after login is under way.
    bool askedLoginDir = false;
    // The change-directory job whose directory was created once already; it is not created
    // again, so a server that refuses the creation cannot make the job repeat for ever.
    std::string createdFor;
    // The local directory before the last "ChDir", restored when the server refuses the CWD.
    std::string localDirBeforeChDir;
    // A failure that closes the connection, shown with "Status Disconnected.".
    std::string closeReason;

    void StartConnect();
    void StartRequest(TFtpRequest request);
    void ShowProgress(const std::string& text);
    void Changed();
    // Runs one job; false when it started no request, so the loop goes on with the next.
    bool RunJob();
    bool SkipUnsafe(const std::string& name);
    bool ChangeDirJob(const std::string& line, const std::string& name, bool withLocal);
    void MakeLocalCurrent(const std::string& name);
    void InsertFront(std::initializer_list<std::string> lines);
    void StartList();
    void StartOnFile(TFtpRequest request, const std::string& name);
    void AfterChangeDir(int error);
    void AfterList(int error);
    void BackgroundError(const std::string& message);
};

}  // namespace fsc
