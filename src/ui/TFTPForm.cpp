// The FTP window. Its commands are the job-queue operations of the FTP module; the window
// only passes on the selected rows, typed names and menu choices, and shows the queue's
// state after every change.
#include "ui/TFTPForm.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/GalleryToPublish.h"
#include "app/Workspace.h"
#include "base/DesktopFolder.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/IMessages.h"
#include "base/Paths.h"
#include "ftp/ByteProgress.h"
#include "ftp/FtpActions.h"
#include "ftp/TFtpClient.h"
#include "ftp/TFtpJobQueue.h"
#include "platform/ByteText.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/FtpGalleryFiles.h"
#include "ui/NamedWidget.h"
#include "ui/TConnectionEditorForm.h"
#include "ui/TFtpProgress.h"
#include "ui/TMKDirForm.h"
#include "ui/TPasswordForm.h"
#include "ui/TProgress.h"

namespace fsc {

namespace {

// What each column of the two grids shows, left to right, as the "Sort" menus name it.
constexpr TFileSortKey ColumnKeys[] = {TFileSortKey::Type, TFileSortKey::Size, TFileSortKey::Date,
                                       TFileSortKey::Name};

// A profile name with "&" would otherwise lose it to a keyboard accelerator.
QString MenuCaption(const std::string& text) { return BytesToQString(text).replace("&", "&&"); }

}  // namespace

TFTPForm::TFTPForm(Workspace& ws, IAsk& ask, IShell& shell, IMessages& messages, QWidget* parent)
    : QDialog(parent),
      ws(ws),
      ask(ask),
      messages(messages),
      profileFile(ConnListFilePath()),
      progress(std::make_unique<TFtpProgress>(this)),
      ftpClient(std::make_unique<TFtpClient>()),
      sftpClient(std::make_unique<TSftpSession>()),
      client(ftpClient.get()),
      shell(shell),
      connectionEditor(std::make_unique<TConnectionEditorForm>(this)),
      passwordForm(std::make_unique<TPasswordForm>(this)),
      mkDirForm(std::make_unique<TMKDirForm>(this)) {
    setObjectName("FTPForm");
    setWindowTitle("Orvik Folioscope FTP");
    queue =
        std::make_unique<TFtpJobQueue>(*client, ask, shell, messages, *progress, ListingFilePath());
    // Asked from the session's worker thread, which waits for the answer.
    sftpClient->AskPassword = [this] {
        std::optional<std::string> password;
        QMetaObject::invokeMethod(
            this, [&] { password = passwordForm->Ask(); }, Qt::BlockingQueuedConnection);
        return password.value_or("");
    };
    // A broken profile file must not keep the window from opening.
    RunCommand([this] { profiles.Load(profileFile); });
    CreateControls();
    CreateMenus();
    ConnectCommands();
    BuildProfileMenus();
    Refresh();
}

TFTPForm::~TFTPForm() {
    // The sync and the queue point at the session and the progress window; they go first.
    sync.reset();
    queue.reset();
}

void TFTPForm::SetLocalDirectory(const std::string& path) { startDirectory = path; }

QTableWidget* TFTPForm::CreateGrid(const char* objectName) {
    auto* grid = Named<QTableWidget>(objectName, 0, 4);
    grid->setHorizontalHeaderLabels({"Type", "Size", "Modified", "Name"});
    // A click on a column's heading sorts by it, as the "Sort" menu does.
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setSortIndicatorShown(true);
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    return grid;
}

void TFTPForm::CreateControls() {
    local.Grid = CreateGrid("LocalStringGrid");
    web.Grid = CreateGrid("WebStringGrid");
    // Both grids take their sizes from the remote grid's font, so the panes line up.
    const int f = QFontInfo(web.Grid->font()).pixelSize();
    for (QTableWidget* grid : {local.Grid, web.Grid}) {
        grid->verticalHeader()->setMinimumSectionSize(f + 4);
        grid->verticalHeader()->setDefaultSectionSize(f + 4);
        // Wide enough for what the columns hold; the name takes the rest.
        const QFontMetrics metrics(grid->font());
        const char* const widest[] = {"Folder ", "0000000000", "0000-00-00 00:00 "};
        for (int column = 0; column < 3; ++column)
            grid->setColumnWidth(column, metrics.horizontalAdvance(widest[column]) + f);
        grid->horizontalHeader()->setStretchLastSection(true);
    }
    local.DirEdit = Named<QLineEdit>("LocalDirEdit");
    web.DirEdit = Named<QLineEdit>("WebDirEdit");
    connectedHostEdit = Named<QLineEdit>("ConnectedHostEdit");
    statusEdit = Named<QLineEdit>("StatusEdit");
    for (QLineEdit* edit : {local.DirEdit, web.DirEdit, connectedHostEdit, statusEdit})
        edit->setReadOnly(true);
    subDirEdit = Named<QLineEdit>("SubDirEdit");
    statusBar1 = Named<QStatusBar>("StatusBar1");
    statusBar1->setSizeGripEnabled(false);

    auto* uploadGroup = Named<QGroupBox>("UploadGroupBox", "Upload Gallery to Subdir");
    auto* uploadRow = new QHBoxLayout(uploadGroup);
    uploadRow->addWidget(subDirEdit);
    uploadRow->addWidget(Named<QPushButton>("UploadButton", "Upload"));
    syncCheck = Named<QCheckBox>("SyncCheckBox", "Sync");
    syncCheck->setToolTip(
        "Send only what changed since the last sync, and delete on the server what the "
        "gallery no longer has");
    uploadRow->addWidget(syncCheck);

    auto* stateColumn = new QVBoxLayout;
    stateColumn->addWidget(connectedHostEdit);
    stateColumn->addWidget(statusEdit);
    auto* top = new QHBoxLayout;
    top->addWidget(uploadGroup, 1);
    top->addLayout(stateColumn, 1);

    auto* localColumn = new QVBoxLayout;
    localColumn->addWidget(Named<QLabel>("LocalLabel", "Local"));
    localColumn->addWidget(local.DirEdit);
    localColumn->addWidget(local.Grid);
    auto* webColumn = new QVBoxLayout;
    webColumn->addWidget(Named<QLabel>("WebLabel", "Web"));
    webColumn->addWidget(web.DirEdit);
    webColumn->addWidget(web.Grid);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    auto* upButton = Named<QPushButton>("UpButton", ">");
    auto* downButton = Named<QPushButton>("DownButton", "<");
    upButton->setToolTip("Upload the selected local files and folders");
    downButton->setToolTip("Download the selected remote files and folders");
    for (QPushButton* button : {upButton, downButton}) {
        button->setFixedWidth(button->fontMetrics().horizontalAdvance("MMM"));
        arrows->addWidget(button);
    }
    arrows->addStretch();
    auto* panes = new QHBoxLayout;
    panes->addLayout(localColumn, 1);
    panes->addLayout(arrows);
    panes->addLayout(webColumn, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(panes, 1);
    layout->addWidget(statusBar1);
    resize(900, 560);

    timer1 = new QTimer(this);
    timer1->setObjectName("Timer1");
    timer1->setInterval(1000);
    timer1->start();
}

QMenu* TFTPForm::CreatePaneMenu(const char* title, const char* prefix, TPane& pane, bool local) {
    auto* menu = new QMenu(title, this);
    menu->setObjectName(QString(prefix) + "Menu");
    auto* sort = menu->addMenu("Sort");
    sort->setObjectName(QString(prefix) + "SortMenu");
    pane.Directions = new QActionGroup(this);
    pane.Keys = new QActionGroup(this);
    // Each entry carries its value: the direction's "ascending" flag or the key's number.
    const auto add = [&](QActionGroup* group, const char* caption, const char* name, int value,
                         bool on) {
        QAction* action = sort->addAction(caption);
        action->setObjectName(QString(prefix) + name);
        action->setCheckable(true);
        action->setChecked(on);
        action->setData(value);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, &pane, local] { SortClick(pane, local); });
    };
    add(pane.Directions, "Up", "Up1", 1, true);
    add(pane.Directions, "Down", "Down1", 0, false);
    sort->addSeparator();
    add(pane.Keys, "by Type", "ByType1", int(TFileSortKey::Type), true);
    add(pane.Keys, "by Name", "ByName1", int(TFileSortKey::Name), false);
    add(pane.Keys, "by Size", "BySize1", int(TFileSortKey::Size), false);
    add(pane.Keys, "by Date", "ByDate1", int(TFileSortKey::Date), false);
    connect(pane.Grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this, &pane, local](int column) { SortByColumn(pane, local, column); });
    QAction* createDir = menu->addAction("Create Dir");
    createDir->setObjectName(QString(prefix) + "CreateDir1");
    connect(createDir, &QAction::triggered, this, [this, local] { CreateDirClick(local); });
    return menu;
}

void TFTPForm::CreateMenus() {
    auto* bar = Named<QMenuBar>("MainMenu1");
    auto* connection = bar->addMenu("Connect");
    connection->setObjectName("ConnectMenu");
    QAction* newConnection = connection->addAction("New Connection");
    newConnection->setObjectName("NewConnection1");
    connect(newConnection, &QAction::triggered, this, [this] { NewConnection1Click(); });
    connectMenu = connection->addMenu("Connect");
    connectMenu->setObjectName("ConnectProfilesMenu");
    editConnectionsMenu = connection->addMenu("Edit Connections");
    editConnectionsMenu->setObjectName("EditConnectionsMenu");
    connection->addSeparator();
    QAction* close = connection->addAction("Close");
    close->setObjectName("Close1");
    connect(close, &QAction::triggered, this, &QDialog::close);

    auto* disconnectMenu = bar->addMenu("Disconnect");
    disconnectMenu->setObjectName("DisconnectMenu");
    QAction* disconnect = disconnectMenu->addAction("Disconnect");
    disconnect->setObjectName("Disconnect1");
    connect(disconnect, &QAction::triggered, this, [this] {
        if (sync) return;
        login = {};
        Disconnect(*queue);
        Refresh();
    });

    bar->addMenu(CreatePaneMenu("Local", "Local", local, true));
    QMenu* webMenu = CreatePaneMenu("Web", "Web", web, false);
    QAction* deleteSelected = webMenu->addAction("Delete Selected");
    deleteSelected->setObjectName("WebDeleteSelected1");
    connect(deleteSelected, &QAction::triggered, this, [this] { DeleteSelectedClick(); });
    bar->addMenu(webMenu);
    layout()->setMenuBar(bar);
}

void TFTPForm::ConnectQueue() {
    queue->OnChanged = [this] { Refresh(); };
    queue->OnBackgroundError = [this](const std::string& message) { BackgroundError(message); };
    queue->OnConnectFailed = [this](int error) {
        // Asked once the queue's handler has returned, as for BackgroundError.
        QTimer::singleShot(0, this, [this, error] { ConnectFailed(error); });
    };
}

void TFTPForm::UseSession(bool sftp) {
    IFtpSession* wanted = sftp ? static_cast<IFtpSession*>(sftpClient.get()) : ftpClient.get();
    if (wanted == client) return;
    // The other protocol's connection ends; its events go nowhere now. The local pane stays.
    std::unique_ptr<TFtpJobQueue> previous = std::move(queue);
    queue =
        std::make_unique<TFtpJobQueue>(*wanted, ask, shell, messages, *progress, ListingFilePath());
    queue->LocalDir = previous->LocalDir;
    queue->LocalDirText = previous->LocalDirText;
    queue->LocalList = previous->LocalList;
    previous.reset();
    if (client->Connected()) client->Start(TFtpRequest::Quit);
    client = wanted;
    ConnectQueue();
}

void TFTPForm::ConnectCommands() {
    ConnectQueue();
    connect(findChild<QPushButton*>("UploadButton"), &QPushButton::clicked, this,
            [this] { UploadButtonClick(); });
    connect(findChild<QPushButton*>("UpButton"), &QPushButton::clicked, this, [this] {
        UploadSelected(*queue, SelectedRows(local));
        Refresh();
    });
    connect(findChild<QPushButton*>("DownButton"), &QPushButton::clicked, this, [this] {
        DownloadSelected(*queue, SelectedRows(web));
        Refresh();
    });
    connect(local.Grid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { LocalStringGridDblClick(row); });
    connect(web.Grid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { WebStringGridDblClick(row); });
    connect(timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TFTPForm::BuildProfileMenus() {
    connectMenu->clear();
    editConnectionsMenu->clear();
    for (const TProfileMenuEntry& entry : profiles.MenuEntries()) {
        const int line = entry.Line;
        QAction* connectTo = connectMenu->addAction(MenuCaption(entry.Caption));
        connectTo->setObjectName(QString("ConnectProfile%1").arg(line));
        connect(connectTo, &QAction::triggered, this, [this, line] { ConnectProfileClick(line); });
        QAction* edit = editConnectionsMenu->addAction(MenuCaption(entry.Caption));
        edit->setObjectName(QString("EditProfile%1").arg(line));
        connect(edit, &QAction::triggered, this, [this, line] { EditProfileClick(line); });
    }
}

void TFTPForm::SaveProfiles() {
    RunCommand([this] { profiles.Save(profileFile); });
}

void TFTPForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // The folder given by the caller, which may not exist yet when no gallery was built
    // there; then the pane stays where it was, or starts at the desktop.
    if (!startDirectory.empty() && DirectoryExists(startDirectory)) {
        RunCommand([this] { queue->ChangeLocalDir(startDirectory); });
    } else {
        const std::string fallback =
            DirectoryExists(queue->LocalDir) ? queue->LocalDir : DesktopFolder();
        RunCommand([this, &fallback] { queue->ChangeLocalDir(fallback); });
        if (!startDirectory.empty()) {
            queue->StatusBarText = "The folder " + startDirectory + " does not exist.";
        }
    }
    Refresh();
}

void TFTPForm::done(int result) {
    if (sync) {
        sync->Abort();
        EndSync();
    }
    login = {};
    SaveProfiles();
    Disconnect(*queue);
    QDialog::done(result);
}

void TFTPForm::Refresh() {
    local.DirEdit->setText(BytesToQString(queue->LocalDirText));
    web.DirEdit->setText(BytesToQString(queue->WebDirText));
    connectedHostEdit->setText(BytesToQString(queue->HostText));
    statusEdit->setText(BytesToQString(queue->StatusText));
    statusBar1->showMessage(BytesToQString(queue->StatusBarText));
    ShowRows(local, &queue->LocalList);
    // The remote list is shown only once a job sequence has ended.
    ShowRows(web, queue->RemoteShown ? &queue->RemoteList : nullptr);
}

void TFTPForm::ShowRows(TPane& pane, const TFileList* list) {
    std::vector<std::array<std::string, 4>> rows;
    if (list != nullptr) {
        for (const TFile& file : list->Entries()) rows.push_back(GridCells(file));
    }
    // Progress events come many times a second; an unchanged list keeps its grid and the
    // user's selection.
    if (rows == pane.Shown && pane.Grid->rowCount() == int(rows.size())) return;
    pane.Grid->clearSelection();
    pane.Grid->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(BytesToQString(rows[row][column]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (column == 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            pane.Grid->setItem(row, column, item);
        }
    }
    pane.Shown = std::move(rows);
}

std::vector<int> TFTPForm::SelectedRows(const TPane& pane) {
    std::vector<int> rows;
    for (const QModelIndex& index : pane.Grid->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFTPForm::NewConnection1Click() {
    if (queue->Working()) return;
    TConnectionProfile profile;
    profile.Name = NewConnectionName;
    profile.WWWAddress = queue->WWWAddress;
    // A password should not cross the network in clear text unless the user says so.
    profile.Tls = true;
    if (connectionEditor->Edit(profile, false) != TConnectionEdit::Saved) return;
    bool added = false;
    RunCommand([&] {
        profiles.Add(profile);
        added = true;
    });
    if (!added) return;
    BuildProfileMenus();
    SaveProfiles();
    ConnectTo(profile, int(profiles.Lines.size()) - 1);
}

void TFTPForm::ConnectProfileClick(int line) {
    if (queue->Working()) return;
    ConnectTo(profiles.Profile(line), line);
}

void TFTPForm::ConnectTo(const TConnectionProfile& profile, int line) {
    // SFTP logs in with the user's keys first and asks for a password only when the server
    // turns them down (through sftpClient->AskPassword).
    const std::optional<std::string> password =
        profile.Sftp ? std::optional<std::string>("") : passwordForm->Ask();
    if (!password) return;
    connectionLine = line;
    UseSession(profile.Sftp);
    login = {profile.Host,
             profile.Login,
             *password,
             profile.Passive,
             {profile.Tls, profile.TrustedCertificate}};
    ConnectWithProfile(*queue, profile, *password);
    Refresh();
}

void TFTPForm::ConnectFailed(int error) {
    const std::string reason = client->ErrorText();
    switch (error) {
        case FtpErrorUntrustedCertificate:
            return TrustCertificate();
        case FtpErrorUnknownHostKey:
            return TrustHostKey();
        case FtpErrorHostKeyChanged:
            messages.ShowError(reason);
            break;
        case FtpErrorTlsRefused:
            messages.ShowError(reason +
                               "\nTo connect without encryption, with the password in clear text, "
                               "untick \"Encrypt the connection (FTPS)\" for this connection "
                               "under \"Edit Connections\".");
            break;
        case FtpErrorCertificateChanged:
            messages.ShowError(reason +
                               "\nIf the server really has a new certificate, empty \"Trusted "
                               "Certificate\" for this connection under \"Edit Connections\" and "
                               "connect again to check the new one.");
            break;
        default:
            break;
    }
}

void TFTPForm::TrustCertificate() {
    const std::string fingerprint = client->ServerCertificate();
    if (fingerprint.empty() || connectionLine < 1 || connectionLine >= int(profiles.Lines.size()))
        return;
    TConnectionProfile profile = profiles.Profile(connectionLine);
    if (!queue->Ask().Ask("No known authority vouches for the certificate of " + profile.Host +
                              ". Its SHA-256 fingerprint is\n" + fingerprint,
                          "Trust this certificate for \"" + profile.Name +
                              "\"? Compare the fingerprint with the one your provider gives.")) {
        return;
    }
    profile.TrustedCertificate = fingerprint;
    profiles.Replace(connectionLine, profile);
    SaveProfiles();
    ConnectTo(profile, connectionLine);
}

void TFTPForm::TrustHostKey() {
    const std::string fingerprint = client->ServerCertificate();
    if (fingerprint.empty() || connectionLine < 1 || connectionLine >= int(profiles.Lines.size()))
        return;
    const TConnectionProfile profile = profiles.Profile(connectionLine);
    if (!queue->Ask().Ask(
            "The host key of " + profile.Host + " is not known. Its fingerprint is\n" + fingerprint,
            "Trust this key and add it to known_hosts? Compare the fingerprint "
            "with the one your provider gives.")) {
        return;
    }
    sftpClient->TrustedHostKey = fingerprint;
    ConnectTo(profile, connectionLine);
}

void TFTPForm::EditProfileClick(int line) {
    if (queue->Working()) return;
    TConnectionProfile profile = profiles.Profile(line);
    switch (connectionEditor->Edit(profile, true)) {
        case TConnectionEdit::Saved:
            RunCommand([&] { profiles.Replace(line, profile); });
            break;
        case TConnectionEdit::Deleted:
            profiles.Delete(line);
            // The lines below moved up: a certificate trusted later has no profile to go to.
            connectionLine = -1;
            break;
        case TConnectionEdit::Cancelled:
            break;
    }
    BuildProfileMenus();
    SaveProfiles();
}

// The columns show type, size, date and name. A click on the column already sorted by
// turns the direction round; one on another column sorts by it, upwards.
void TFTPForm::SortByColumn(TPane& pane, bool isLocal, int column) {
    if (column < 0 || column >= int(std::size(ColumnKeys))) return;
    const int key = int(ColumnKeys[column]);
    const bool same = pane.Keys->checkedAction()->data().toInt() == key;
    const bool ascending = !same || pane.Directions->checkedAction()->data().toInt() == 0;
    for (QAction* action : pane.Keys->actions()) action->setChecked(action->data().toInt() == key);
    for (QAction* action : pane.Directions->actions())
        action->setChecked(action->data().toInt() == int(ascending));
    SortClick(pane, isLocal);
}

void TFTPForm::SortClick(TPane& pane, bool isLocal) {
    const TFileList& list = isLocal ? queue->LocalList : queue->RemoteList;
    if (queue->Working()) {
        // Ignored while a job runs: the checks go back to the list's own order.
        for (QAction* action : pane.Directions->actions())
            action->setChecked(action->data().toInt() == int(list.Ascending));
        for (QAction* action : pane.Keys->actions())
            action->setChecked(action->data().toInt() == int(list.Key));
        return;
    }
    const bool ascending = pane.Directions->checkedAction()->data().toInt() == 1;
    const auto key = TFileSortKey(pane.Keys->checkedAction()->data().toInt());
    RunCommand([&] {
        if (isLocal) {
            SortLocal(*queue, key, ascending);
        } else {
            SortRemote(*queue, key, ascending);
        }
    });
    const int column =
        int(std::find(std::begin(ColumnKeys), std::end(ColumnKeys), key) - std::begin(ColumnKeys));
    pane.Grid->horizontalHeader()->setSortIndicator(
        column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    Refresh();
}

void TFTPForm::LocalStringGridDblClick(int row) {
    if (localClickGuard || queue->Working()) return;
    const TFile* file = queue->LocalList.Get(row);
    if (file == nullptr || !file->IsDir) return;
    localClickGuard = true;
    local.Grid->setEnabled(false);
    RunCommand([this, row] { OpenLocalRow(*queue, row); });
    Refresh();
}

void TFTPForm::WebStringGridDblClick(int row) {
    if (queue->Working()) return;
    OpenRemoteRow(*queue, row);
    if (queue->Working()) web.Grid->setEnabled(false);
    Refresh();
}

void TFTPForm::CreateDirClick(bool isLocal) {
    if (queue->Working()) return;
    const std::optional<std::string> name = mkDirForm->Ask();
    if (!name) return;
    RunCommand([&] {
        if (isLocal) {
            CreateLocalDir(*queue, *name);
        } else {
            CreateRemoteDir(*queue, *name);
        }
    });
    Refresh();
}

void TFTPForm::DeleteSelectedClick() {
    const std::vector<int> rows = SelectedRows(web);
    // Nothing selected, nothing to ask about.
    if (rows.empty()) return;
    DeleteSelected(*queue, rows);
    Refresh();
}

void TFTPForm::UploadButtonClick() {
    if (syncCheck->isChecked()) return SyncGalleryClick();
    RunCommand([this] {
        std::optional<TGalleryUpload> upload = LastGalleryUpload(ws);
        if (upload) {
            upload->SubDir = QStringToBytes(subDirEdit->text());
            upload->WWWAddress = queue->WWWAddress;
            upload->RemotePath = queue->PathFromLogin();
        }
        UploadGallery(*queue, upload ? &*upload : nullptr);
    });
    Refresh();
}

void TFTPForm::SyncGalleryClick() {
    if (queue->Working() || sync) return;
    RunCommand([this] {
        if (!queue->Connected())
            throw EUserInputError("Not connected. Please connect to your homepage.");
        const std::optional<TGalleryToPublish> gallery = LastBuiltGallery(ws);
        if (!gallery) throw EUserInputError("No Gallery computed!");
        StartSync(*gallery);
    });
    Refresh();
}

void TFTPForm::StartSync(const TGalleryToPublish& gallery) {
    sync = std::make_unique<TGallerySync>(*client, login, QStringToBytes(subDirEdit->text()),
                                          GallerySyncFiles(gallery));
    // As "Upload" does: the subdirectory lies in the remote directory shown.
    sync->BasePath = queue->RemotePath;
    sync->QuitAtEnd = false;
    sync->OnPlan = [this](const TSyncPlan& plan) {
        queue->StatusText = "Status Sync: " + PlanSummary(plan);
        Refresh();
        progress->Hide();
        return ask.Ask("Sync: " + PlanSummary(plan), "Start the sync?");
    };
    sync->OnStatus = [this](const std::string& text) {
        syncStatus = text;
        progress->Update(0, 0, text, 1);
    };
    sync->OnProgress = [this](std::int64_t bytes, std::int64_t expected) {
        ShowBytes(*progress, bytes, expected, syncStatus);
    };
    sync->OnWarning = [this](const std::string& text) {
        queue->StatusText = "Status " + text;
        Refresh();
    };
    // Not from inside the sync's own event handler, which the end destroys.
    sync->OnFinished = [this] { QTimer::singleShot(0, this, [this] { SyncFinished(); }); };
    progress->SetAbortHandler([this] {
        if (sync) sync->Abort();
    });
    // The window's other actions wait, as they do for the queue's own jobs.
    queue->Busy = true;
    sync->Start();
}

void TFTPForm::SyncFinished() {
    if (!sync) return;
    std::string text = "Synced: " + std::to_string(sync->SentCount) + " sent, " +
                       std::to_string(sync->DeletedCount) + " deleted.";
    if (sync->Cancelled) text = "Sync cancelled.";
    if (!sync->Failure.empty()) text = sync->Failure;
    for (const std::string& refused : sync->Refused) text += " Refused: " + refused;
    const std::string base = sync->BasePath;
    EndSync();
    queue->StatusText = "Status " + text;
    // The folder the sync started from, which the session is back in.
    if (queue->Connected()) {
        queue->RemotePath = base;
        queue->Jobs.push_back("List;");
        queue->RunNextJob();
    }
    Refresh();
}

void TFTPForm::EndSync() {
    sync.reset();
    progress->Hide();
    client->SetEvents(queue.get());
    queue->Busy = false;
    if (!queue->Connected()) {
        // The queue did not see the session close while the sync had its events.
        queue->SessionClosed();
        login = {};
    }
}

void TFTPForm::Timer1Timer() {
    localClickGuard = false;
    local.Grid->setEnabled(true);
    web.Grid->setEnabled(true);
}

void TFTPForm::BackgroundError(const std::string& message) {
    close();
    // Said once the queue's handler has returned, so the message box's event loop does not
    // run inside it; the user learns why the window closed and what did not arrive.
    QTimer::singleShot(0, this, [this, message] {
        messages.ShowError(message + "\nThe FTP session was closed.");
    });
}

}  // namespace fsc
