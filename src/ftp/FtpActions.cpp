// The FTP window's commands: job lines built from the user's choices.
#include "ftp/FtpActions.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "ftp/JobLine.h"
#include "ftp/TFtpJobQueue.h"

namespace fsc {

namespace {

// The rows that hold an entry, in the order the user selected them.
std::vector<const TFile*> Selected(const TFileList& list, const std::vector<int>& rows) {
    std::vector<const TFile*> files;
    for (int row : rows) {
        if (const TFile* file = list.Get(row)) files.push_back(file);
    }
    return files;
}

void Start(TFtpJobQueue& queue, TStringList jobs) {
    jobs.push_back("List;");
    queue.Jobs = std::move(jobs);
    queue.RunNextJob();
}

}  // namespace

void UploadSelected(TFtpJobQueue& queue, const std::vector<int>& localRows) {
    if (queue.Working()) return;
    TStringList jobs;
    for (const TFile* file : Selected(queue.LocalList, localRows))
        jobs.push_back("Up;" + file->Name);
    Start(queue, std::move(jobs));
}

void DownloadSelected(TFtpJobQueue& queue, const std::vector<int>& remoteRows) {
    if (queue.Working()) return;
    TStringList jobs;
    for (const TFile* file : Selected(queue.RemoteList, remoteRows)) {
        jobs.push_back("Down;" + file->Name + ";" + JobFlag(file->IsDir));
    }
    Start(queue, std::move(jobs));
}

void DeleteSelected(TFtpJobQueue& queue, const std::vector<int>& remoteRows) {
    if (queue.Working()) return;
    if (!queue.Ask().Ask("Are you sure you want to", "delete all the selected files?")) return;
    TStringList jobs;
    for (const TFile* file : Selected(queue.RemoteList, remoteRows)) {
        jobs.push_back("Del;" + file->Name + ";" + JobFlag(file->IsDir));
    }
    Start(queue, std::move(jobs));
}

void CreateRemoteDir(TFtpJobQueue& queue, const std::string& name) {
    if (queue.Working() || Trim(name).empty()) return;
    // The name is used as typed, without trimming.
    Start(queue, {"Create;" + name});
}

void CreateLocalDir(TFtpJobQueue& queue, const std::string& name) {
    if (queue.Working() || Trim(name).empty()) return;
    ForceDirectories(JoinPath(queue.LocalDir, name));
    queue.ReadLocalList();
}

void OpenRemoteRow(TFtpJobQueue& queue, int row) {
    const TFile* file = queue.RemoteShown ? queue.RemoteList.Get(row) : nullptr;
    if (queue.Working() || file == nullptr || !file->IsDir) return;
    queue.Jobs.push_back("WebChDir;" + file->Name);
    queue.Jobs.push_back("List;");
    queue.RunNextJob();
    queue.ShowProgressText("Changing Dir.");
}

void OpenLocalRow(TFtpJobQueue& queue, int row) {
    const TFile* file = queue.LocalList.Get(row);
    if (queue.Working() || file == nullptr || !file->IsDir) return;
    queue.ChangeLocalDir(JoinPath(queue.LocalDir, file->Name));
}

void SortLocal(TFtpJobQueue& queue, TFileSortKey key, bool ascending) {
    queue.LocalList.Key = key;
    queue.LocalList.Ascending = ascending;
    queue.LocalList.Sort(key, ascending);
    if (!queue.LocalDir.empty()) queue.ReadLocalList();
}

void SortRemote(TFtpJobQueue& queue, TFileSortKey key, bool ascending) {
    queue.RemoteList.Key = key;
    queue.RemoteList.Ascending = ascending;
    queue.RemoteList.Sort(key, ascending);
    if (!queue.Working() && queue.RemoteList.Count() > 0) {
        queue.RemoteList.Order();
        queue.RemoteShown = true;
    }
}

void ConnectWithProfile(TFtpJobQueue& queue, const TConnectionProfile& profile,
                        const std::string& password) {
    queue.WWWAddress = profile.WWWAddress;
    queue.Connect(profile.Host, profile.Login, password, profile.Passive,
                  {profile.Tls, profile.TrustedCertificate});
}

void Disconnect(TFtpJobQueue& queue) {
    // A transfer under way cannot wait for QUIT's turn: it is cut off.
    if (queue.Working()) {
        queue.Abort();
    } else if (queue.Connected()) {
        queue.Quit();
    }
}

}  // namespace fsc
