// The FTP window "Orvik Folioscope FTP": the local directory on the left, the server's current
// directory on the right, connection profiles, transfers both ways, remote deletes, new
// directories on either side, and the upload of the gallery the last build wrote.
#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ftp/GalleryUpload.h"
#include "ftp/TConnList.h"
#include "ftp/TFileList.h"
#include "ftp/TGallerySync.h"
#include "ftp/TSftpSession.h"

class QAction;
class QCheckBox;
class QActionGroup;
class QLineEdit;
class QMenu;
class QStatusBar;
class QTableWidget;
class QTimer;

namespace fsc {

class IAsk;
class IMessages;
class IShell;
class TConnectionEditorForm;
class TFtpClient;
class TFtpJobQueue;
class TFtpProgress;
class TMKDirForm;
class TPasswordForm;
struct TGalleryToPublish;
struct Workspace;

class TFTPForm : public QDialog {
    Q_OBJECT

public:
    // The profile file and the listing file are the per-user ones (folioscope.con, ftp.tmp in
    // the state folder); the profiles are loaded here and saved at every close and edit.
    TFTPForm(Workspace& ws, IAsk& ask, IShell& shell, IMessages& messages,
             QWidget* parent = nullptr);
    ~TFTPForm() override;

    // The folder the local pane opens with the next time the window is shown (the main
    // window passes its HTML directory).
    void SetLocalDirectory(const std::string& path);

    TFtpJobQueue& Queue() { return *queue; }
    const TConnList& Profiles() const { return profiles; }

protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing: the profiles are saved and the session ends.
    void done(int result) override;

private:
    // One file pane: its grid, its directory field, its sort menu and the rows it shows.
    struct TPane {
        QTableWidget* Grid = nullptr;
        QLineEdit* DirEdit = nullptr;
        QActionGroup* Directions = nullptr;
        QActionGroup* Keys = nullptr;
        std::vector<std::array<std::string, 4>> Shown;
    };

    void CreateControls();
    void CreateMenus();
    QMenu* CreatePaneMenu(const char* title, const char* prefix, TPane& pane, bool local);
    QTableWidget* CreateGrid(const char* objectName);
    void ConnectCommands();
    void BuildProfileMenus();
    void SaveProfiles();
    void Refresh();
    void ShowRows(TPane& pane, const TFileList* list);
    static std::vector<int> SelectedRows(const TPane& pane);

    void NewConnection1Click();
    void ConnectProfileClick(int line);
    void EditProfileClick(int line);
    void ConnectTo(const TConnectionProfile& profile, int line);
    void ConnectFailed(int error);
    void TrustCertificate();
    void SortClick(TPane& pane, bool local);
    void SortByColumn(TPane& pane, bool local, int column);
    void LocalStringGridDblClick(int row);
    void WebStringGridDblClick(int row);
    void CreateDirClick(bool local);
    void DeleteSelectedClick();
    void UploadButtonClick();
    void SyncGalleryClick();
    void StartSync(const TGalleryToPublish& gallery);
    void SyncFinished();
    void EndSync();
    // Puts the queue on the session of the profile's protocol.
    void UseSession(bool sftp);
    void ConnectQueue();
    void TrustHostKey();
    void Timer1Timer();
    void BackgroundError(const std::string& message);

    Workspace& ws;
    IAsk& ask;
    IMessages& messages;
    std::string profileFile;
    std::string startDirectory;
    TConnList profiles;
    std::unique_ptr<TFtpProgress> progress;
    // The session of the protocol in use, FTP(S) or SFTP; the queue works on it.
    std::unique_ptr<TFtpClient> ftpClient;
    std::unique_ptr<TSftpSession> sftpClient;
    IFtpSession* client;
    IShell& shell;
    std::unique_ptr<TFtpJobQueue> queue;
    std::unique_ptr<TConnectionEditorForm> connectionEditor;
    std::unique_ptr<TPasswordForm> passwordForm;
    std::unique_ptr<TMKDirForm> mkDirForm;

    TPane local, web;
    QLineEdit* subDirEdit;
    QCheckBox* syncCheck;
    QLineEdit* connectedHostEdit;
    QLineEdit* statusEdit;
    QStatusBar* statusBar1;
    QMenu* connectMenu;
    QMenu* editConnectionsMenu;
    QTimer* timer1;
    // The running sync, which has the session's events meanwhile, and the login it takes up
    // a dropped connection with; the password is kept only while the window is connected.
    std::unique_ptr<TGallerySync> sync;
    TSyncLogin login;
    std::string syncStatus;
    // Set by a double click in the local pane and cleared by the timer, so that the second
    // click of a quick triple click does not open whatever row lands under the mouse.
    bool localClickGuard = false;
    // The profile line of the last login, which a certificate the user trusts is stored with.
    int connectionLine = -1;
};

}  // namespace fsc
