// The FTP window's commands as operations on the job queue, so that the window only
// passes on what the user chose: selected rows, typed names, sort choices.
// The commands that start jobs are ignored while the queue works, as the window ignores
// the user then.
#pragma once

#include <string>
#include <vector>

#include "ftp/TConnList.h"
#include "ftp/TFileList.h"

namespace fsc {

class TFtpJobQueue;

// ">": uploads the selected local rows, then lists.
void UploadSelected(TFtpJobQueue& queue, const std::vector<int>& localRows);
// "<": downloads the selected remote rows (directories as whole trees), then lists.
void DownloadSelected(TFtpJobQueue& queue, const std::vector<int>& remoteRows);
// "Delete Selected" of the "Web" menu, after asking "Are you sure you want to" /
// "delete all the selected files?".
void DeleteSelected(TFtpJobQueue& queue, const std::vector<int>& remoteRows);
// "Create Dir" of the "Web" menu; a name that is blank after trimming does nothing.
void CreateRemoteDir(TFtpJobQueue& queue, const std::string& name);
// "Create Dir" of the "Local" menu; a failure is the caller's to report.
void CreateLocalDir(TFtpJobQueue& queue, const std::string& name);
// Double click on a remote row: a directory is entered ("Changing Dir.").
void OpenRemoteRow(TFtpJobQueue& queue, int row);
// Double click on a local row: a directory is entered, ".." goes up.
void OpenLocalRow(TFtpJobQueue& queue, int row);
// The "Sort" menus: one sort with the new choice, then the pane is shown again.
void SortLocal(TFtpJobQueue& queue, TFileSortKey key, bool ascending);
void SortRemote(TFtpJobQueue& queue, TFileSortKey key, bool ascending);
// "Connect" with a profile: takes its host, login, WWW address (the gallery's address after an
// upload), data mode and encryption.
void ConnectWithProfile(TFtpJobQueue& queue, const TConnectionProfile& profile,
                        const std::string& password);
// "Disconnect", and closing the window: Quit when connected, Abort while a request runs.
void Disconnect(TFtpJobQueue& queue);

}  // namespace fsc
