// SFTP requests with libssh.
#include "ftp/TSftpSession.h"

#include <fcntl.h>
#include <libssh/callbacks.h>
#include <libssh/libssh.h>
#include <libssh/sftp.h>

#include <QMetaObject>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <vector>

#include "ftp/SshHostKey.h"

namespace fsc {

namespace {

constexpr std::size_t Chunk = 32 * 1024;
constexpr long ConnectSeconds = 30;

struct THostPort {
    std::string Host;
    int Port = 0;
};

// "host", "host:2222", "[::1]:2222".
THostPort SplitHost(const std::string& name) {
    THostPort result{name, 0};
    const std::size_t colon = name.rfind(':');
    const bool bracketed = !name.empty() && name.front() == '[';
    if (bracketed) {
        const std::size_t close = name.find(']');
        result.Host = name.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        if (close != std::string::npos && close + 1 < name.size() && name[close + 1] == ':')
            result.Port = std::atoi(name.c_str() + close + 2);
    } else if (colon != std::string::npos && name.find(':') == colon) {
        result.Host = name.substr(0, colon);
        result.Port = std::atoi(name.c_str() + colon + 1);
    }
    return result;
}

// OpenSSH's own folder of the user's keys and known hosts, found from HOME as the shell's
// "~/.ssh" is.
std::string SshFolder() {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.ssh";
}

// A Unix long-listing line, as the listing reader reads an FTP server's.
std::string ListingLine(const sftp_attributes attributes) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const bool folder = attributes->type == SSH_FILEXFER_TYPE_DIRECTORY;
    std::string mode = folder ? "d" : "-";
    for (int shift = 6; shift >= 0; shift -= 3) {
        const unsigned bits = (attributes->permissions >> shift) & 7;
        mode += (bits & 4) ? 'r' : '-';
        mode += (bits & 2) ? 'w' : '-';
        mode += (bits & 1) ? 'x' : '-';
    }
    const std::time_t time = std::time_t(attributes->mtime);
    std::tm utc{};
    gmtime_r(&time, &utc);
    return mode + " 1 owner group " + std::to_string(attributes->size) + " " + months[utc.tm_mon] +
           " " + std::to_string(utc.tm_mday) + " " + std::to_string(utc.tm_year + 1900) + " " +
           attributes->name;
}

int PassphraseCallback(const char* prompt, char* buffer, std::size_t length, int, int,
                       void* userdata) {
    const auto* ask = static_cast<const std::function<std::string(const std::string&)>*>(userdata);
    if (ask == nullptr || !*ask) return -1;
    const std::string answer = (*ask)(prompt != nullptr ? prompt : "Passphrase: ");
    if (answer.empty() || answer.size() >= length) return -1;
    std::memcpy(buffer, answer.c_str(), answer.size() + 1);
    return 0;
}

}  // namespace

TSftpSession::TSftpSession() = default;

TSftpSession::~TSftpSession() {
    aborting = true;
    if (worker.joinable()) worker.join();
    Close();
}

void TSftpSession::Start(TFtpRequest request) {
    // As over FTP, Abort cuts the connection: the request under way ends in its place.
    if (request == TFtpRequest::Abort) {
        aborting = true;
        if (busy) {
            abortPending = true;
        } else {
            QMetaObject::invokeMethod(
                this, [this] { Finish(TFtpRequest::Abort, FtpOk); }, Qt::QueuedConnection);
        }
        return;
    }
    if (busy) {
        QMetaObject::invokeMethod(
            this,
            [this, request] {
                if (events) events->RequestDone(request, FtpErrorBusy);
            },
            Qt::QueuedConnection);
        return;
    }
    if (worker.joinable()) worker.join();
    busy = true;
    aborting = false;
    const TInputs in{HostName,      UserName,    HostDirName,     HostFileName,
                     LocalFileName, HostNewName, MaxDownloadBytes};
    if (events) events->StateChanged(TFtpState::Busy);
    worker = std::thread([this, request, in] {
        const int code = Run(request, in);
        QMetaObject::invokeMethod(
            this, [this, request, code] { Finish(request, code); }, Qt::QueuedConnection);
    });
}

void TSftpSession::Finish(TFtpRequest request, int code) {
    if (worker.joinable()) worker.join();
    busy = false;
    if (abortPending || request == TFtpRequest::Abort) {
        abortPending = false;
        const bool wasConnected = connected;
        Close();
        lastCode = FtpOk;
        if (!events) return;
        events->StateChanged(TFtpState::NotConnected);
        events->RequestDone(TFtpRequest::Abort, FtpOk);
        if (wasConnected && events) events->SessionClosed();
        return;
    }
    lastCode = code;
    if (!events) return;
    events->StateChanged(connected ? TFtpState::Ready : TFtpState::NotConnected);
    if (request == TFtpRequest::Connect && code == FtpOk) events->SessionConnected();
    if (request == TFtpRequest::Quit) events->SessionClosed();
    events->RequestDone(request, code);
}

void TSftpSession::PostProgress(std::int64_t bytes) {
    QMetaObject::invokeMethod(
        this,
        [this, bytes] {
            if (events) events->Progress(bytes);
        },
        Qt::QueuedConnection);
}

int TSftpSession::Run(TFtpRequest request, const TInputs& in) {
    errorText.clear();
    if (request == TFtpRequest::Connect) return Connect(in);
    if (request == TFtpRequest::Quit) {
        Close();
        return FtpOk;
    }
    if (!connected) {
        errorText = "Not connected.";
        return FtpErrorNotConnected;
    }
    switch (request) {
        case TFtpRequest::ChangeDir:
            return ChangeDir(in);
        case TFtpRequest::PrintDir:
            return PrintDir();
        case TFtpRequest::MakeDir:
            return sftp_mkdir(sftp, Remote(in.HostFileName).c_str(), 0755) == 0
                       ? FtpOk
                       : Failed("Cannot make the folder " + in.HostFileName);
        case TFtpRequest::RemoveDir:
            return sftp_rmdir(sftp, Remote(in.HostFileName).c_str()) == 0
                       ? FtpOk
                       : Failed("Cannot remove the folder " + in.HostFileName);
        case TFtpRequest::Delete:
            return sftp_unlink(sftp, Remote(in.HostFileName).c_str()) == 0
                       ? FtpOk
                       : Failed("Cannot delete " + in.HostFileName);
        case TFtpRequest::List:
            return List(in);
        case TFtpRequest::Get:
            return Get(in);
        case TFtpRequest::Put:
            return Put(in);
        case TFtpRequest::Rename:
            return Rename(in);
        case TFtpRequest::Size:
            return Size(in);
        default:
            errorText = "Not a request SFTP knows.";
            return FtpErrorBadInput;
    }
}

int TSftpSession::Connect(const TInputs& in) {
    Close();
    const THostPort target = SplitHost(in.HostName);
    ssh = ssh_new();
    if (ssh == nullptr) {
        errorText = "Cannot start an SSH session.";
        return FtpErrorConnection;
    }
    const std::string folder = SshFolder();
    long timeout = ConnectSeconds;
    ssh_options_set(ssh, SSH_OPTIONS_HOST, target.Host.c_str());
    if (target.Port > 0) ssh_options_set(ssh, SSH_OPTIONS_PORT, &target.Port);
    if (!in.UserName.empty()) ssh_options_set(ssh, SSH_OPTIONS_USER, in.UserName.c_str());
    ssh_options_set(ssh, SSH_OPTIONS_SSH_DIR, folder.c_str());
    ssh_options_set(ssh, SSH_OPTIONS_TIMEOUT, &timeout);
    // Each write waits for the server's answer: without this, every small packet waits for
    // the delayed acknowledgement too, and a file moves at a few hundred kilobytes a second.
    int noDelay = 1;
    ssh_options_set(ssh, SSH_OPTIONS_NODELAY, &noDelay);
    if (ssh_connect(ssh) != SSH_OK) {
        errorText = "Cannot connect to " + in.HostName + ": " + ssh_get_error(ssh) + ".";
        Close();
        return FtpErrorConnection;
    }
    const THostKeyCheck check = CheckHostKey(ssh, in.HostName, TrustedHostKey);
    hostKey = check.Fingerprint;
    if (check.Error != 0) {
        errorText = check.Text;
        Close();
        return check.Error;
    }
    const int login = LogIn(in, in.HostName);
    if (login != FtpOk) {
        Close();
        return login;
    }
    sftp = sftp_new(ssh);
    if (sftp == nullptr || sftp_init(sftp) != SSH_OK) {
        errorText = "The server " + in.HostName + " offers no SFTP: " + ssh_get_error(ssh) + ".";
        Close();
        return FtpErrorProtocol;
    }
    cwd = ".";
    connected = true;
    return FtpOk;
}

// The agent, then the default keys (or the one key the user named), then a password: the
// order OpenSSH's client tries them in.
int TSftpSession::LogIn(const TInputs& in, const std::string& host) {
    if (ssh_userauth_none(ssh, nullptr) == SSH_AUTH_SUCCESS) return FtpOk;
    const int methods = ssh_userauth_list(ssh, nullptr);
    std::vector<std::string> tried;
    if (methods & SSH_AUTH_METHOD_PUBLICKEY) {
        if (!Identity.empty()) {
            tried.push_back("the key " + Identity);
            ssh_key key = nullptr;
            if (ssh_pki_import_privkey_file(Identity.c_str(), nullptr, PassphraseCallback,
                                            &AskPassphrase, &key) == SSH_OK) {
                const int result = ssh_userauth_publickey(ssh, nullptr, key);
                ssh_key_free(key);
                if (result == SSH_AUTH_SUCCESS) return FtpOk;
            } else {
                tried.back() += " (which cannot be read)";
            }
        } else {
            const char* agent = std::getenv("SSH_AUTH_SOCK");
            if (agent != nullptr && *agent != '\0') {
                tried.push_back("the SSH agent");
                if (ssh_userauth_agent(ssh, nullptr) == SSH_AUTH_SUCCESS) return FtpOk;
            }
            tried.push_back("the keys in " + SshFolder());
            ssh_callbacks_struct callbacks{};
            callbacks.userdata = &AskPassphrase;
            callbacks.auth_function = PassphraseCallback;
            ssh_callbacks_init(&callbacks);
            ssh_set_callbacks(ssh, &callbacks);
            const int result = ssh_userauth_publickey_auto(ssh, nullptr, nullptr);
            ssh_set_callbacks(ssh, nullptr);
            if (result == SSH_AUTH_SUCCESS) return FtpOk;
        }
    }
    if ((methods & SSH_AUTH_METHOD_PASSWORD) && AskPassword) {
        const std::string password = AskPassword();
        if (!password.empty()) {
            tried.push_back("a password");
            if (ssh_userauth_password(ssh, nullptr, password.c_str()) == SSH_AUTH_SUCCESS)
                return FtpOk;
        }
    }
    std::string ways;
    for (const std::string& way : tried) ways += (ways.empty() ? "" : ", ") + way;
    errorText = host + " refused the login of " + in.UserName + "; tried " +
                (ways.empty() ? std::string("nothing the server takes") : ways) + ".";
    return SftpAuthRefused;
}

void TSftpSession::Close() {
    connected = false;
    if (sftp != nullptr) sftp_free(sftp);
    sftp = nullptr;
    if (ssh != nullptr) {
        ssh_disconnect(ssh);
        ssh_free(ssh);
    }
    ssh = nullptr;
}

std::string TSftpSession::Remote(const std::string& path) const {
    if (path.empty()) return cwd;
    if (path.front() == '/') return path;
    return cwd + "/" + path;
}

int TSftpSession::Failed(const std::string& what) {
    if (ssh == nullptr || !ssh_is_connected(ssh)) {
        connected = false;
        errorText = what + ": the connection was lost.";
        return FtpErrorConnection;
    }
    switch (sftp_get_error(sftp)) {
        case SSH_FX_NO_SUCH_FILE:
        case SSH_FX_NO_SUCH_PATH:
            errorText = what + ": no such file or folder.";
            return 550;
        case SSH_FX_PERMISSION_DENIED:
            errorText = what + ": permission denied on the server.";
            return 550;
        case SSH_FX_FILE_ALREADY_EXISTS:
            errorText = what + ": it exists already.";
            return 550;
        case SSH_FX_OP_UNSUPPORTED:
            errorText = what + ": the server does not support that.";
            return 502;
        case SSH_FX_NO_CONNECTION:
        case SSH_FX_CONNECTION_LOST:
            connected = false;
            errorText = what + ": the connection was lost.";
            return FtpErrorConnection;
        default:
            // OpenSSH's server says no more than "failure" for a full disk, among others.
            errorText = what + ": the server failed (" + ssh_get_error(ssh) + ").";
            return 550;
    }
}

int TSftpSession::ChangeDir(const TInputs& in) {
    const std::string path = Remote(in.HostDirName);
    sftp_attributes attributes = sftp_stat(sftp, path.c_str());
    if (attributes == nullptr) return Failed("Cannot change to the folder " + in.HostDirName);
    const bool folder = attributes->type == SSH_FILEXFER_TYPE_DIRECTORY;
    sftp_attributes_free(attributes);
    if (!folder) {
        errorText = in.HostDirName + " is not a folder.";
        return 550;
    }
    cwd = path;
    return FtpOk;
}

int TSftpSession::PrintDir() {
    char* path = sftp_canonicalize_path(sftp, cwd.c_str());
    if (path == nullptr) return Failed("Cannot tell the current folder");
    dirResult = path;
    ssh_string_free_char(path);
    cwd = dirResult;
    return FtpOk;
}

int TSftpSession::List(const TInputs& in) {
    sftp_dir folder = sftp_opendir(sftp, Remote(in.HostFileName).c_str());
    if (folder == nullptr) return Failed("Cannot list " + in.HostFileName);
    std::ofstream out(in.LocalFileName, std::ios::binary | std::ios::trunc);
    std::int64_t written = 0;
    int code = FtpOk;
    while (sftp_attributes attributes = sftp_readdir(sftp, folder)) {
        const std::string name = attributes->name != nullptr ? attributes->name : "";
        if (name != "." && name != "..") {
            const std::string line = ListingLine(attributes) + "\r\n";
            written += std::int64_t(line.size());
            out << line;
        }
        sftp_attributes_free(attributes);
        if (in.MaxDownloadBytes > 0 && written > in.MaxDownloadBytes) {
            errorText = "The server listed more than " + std::to_string(in.MaxDownloadBytes) +
                        " bytes for " + (in.HostFileName.empty() ? "the folder" : in.HostFileName) +
                        "; the listing was cut off.";
            code = FtpErrorTooLarge;
            break;
        }
    }
    if (code == FtpOk && !sftp_dir_eof(folder)) code = Failed("Cannot list " + in.HostFileName);
    sftp_closedir(folder);
    return Closed(out, in.LocalFileName, code);
}

int TSftpSession::Closed(std::ofstream& out, const std::string& path, int code) {
    out.close();
    if (code != FtpOk || out) return code;
    errorText = "Cannot write the local file " + path + ".";
    return FtpErrorLocalFile;
}

int TSftpSession::Get(const TInputs& in) {
    sftp_file file = sftp_open(sftp, Remote(in.HostFileName).c_str(), O_RDONLY, 0);
    if (file == nullptr) return Failed("Cannot read " + in.HostFileName);
    std::ofstream out(in.LocalFileName, std::ios::binary | std::ios::trunc);
    std::vector<char> buffer(Chunk);
    std::int64_t moved = 0;
    int code = FtpOk;
    for (;;) {
        if (aborting) {
            code = FtpErrorAborted;
            break;
        }
        const ssize_t got = sftp_read(file, buffer.data(), buffer.size());
        if (got < 0) {
            code = Failed("Cannot read " + in.HostFileName);
            break;
        }
        if (got == 0) break;
        moved += got;
        if (in.MaxDownloadBytes > 0 && moved > in.MaxDownloadBytes) {
            errorText = "The server sent more than " + std::to_string(in.MaxDownloadBytes) +
                        " bytes for " + in.HostFileName + "; the transfer was cut off.";
            code = FtpErrorTooLarge;
            break;
        }
        out.write(buffer.data(), got);
        PostProgress(moved);
    }
    sftp_close(file);
    return Closed(out, in.LocalFileName, code);
}

int TSftpSession::Put(const TInputs& in) {
    std::ifstream source(in.LocalFileName, std::ios::binary);
    if (!source) {
        errorText = "Cannot read the local file " + in.LocalFileName + ".";
        return FtpErrorLocalFile;
    }
    sftp_file file =
        sftp_open(sftp, Remote(in.HostFileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file == nullptr) return Failed("Cannot write " + in.HostFileName);
    std::vector<char> buffer(Chunk);
    std::int64_t moved = 0;
    int code = FtpOk;
    while (source) {
        if (aborting) {
            code = FtpErrorAborted;
            break;
        }
        source.read(buffer.data(), std::streamsize(buffer.size()));
        const std::streamsize got = source.gcount();
        if (got <= 0) break;
        if (sftp_write(file, buffer.data(), std::size_t(got)) != got) {
            code = Failed("Cannot write " + in.HostFileName);
            // A write refused half-way is a full disk or quota, mostly; version 3 of the
            // protocol, which OpenSSH speaks, has no word for that but "failure".
            if (code == 550 && sftp_get_error(sftp) == SSH_FX_FAILURE) {
                errorText = "Cannot write " + in.HostFileName +
                            ": the server stopped taking the data; its disk or the account's "
                            "quota may be full.";
            }
            if (code == 550) code = 552;
            break;
        }
        moved += got;
        PostProgress(moved);
    }
    if (sftp_close(file) != SSH_NO_ERROR && code == FtpOk)
        code = Failed("Cannot finish writing " + in.HostFileName);
    if (code == FtpOk && source.bad()) {
        errorText = "Cannot read the local file " + in.LocalFileName + ".";
        return FtpErrorLocalFile;
    }
    return code;
}

// OpenSSH's server keeps to version 3 of the protocol, whose rename never replaces a file:
// the old file goes first, the moment before the new one takes its name.
int TSftpSession::Rename(const TInputs& in) {
    const std::string from = Remote(in.HostFileName), to = Remote(in.HostNewName);
    if (sftp_rename(sftp, from.c_str(), to.c_str()) == 0) return FtpOk;
    sftp_attributes target = sftp_stat(sftp, to.c_str());
    if (target == nullptr) return Failed("Cannot rename " + in.HostFileName);
    sftp_attributes_free(target);
    if (sftp_unlink(sftp, to.c_str()) != 0 || sftp_rename(sftp, from.c_str(), to.c_str()) != 0)
        return Failed("Cannot rename " + in.HostFileName + " to " + in.HostNewName);
    return FtpOk;
}

int TSftpSession::Size(const TInputs& in) {
    sftp_attributes attributes = sftp_stat(sftp, Remote(in.HostFileName).c_str());
    if (attributes == nullptr) return Failed("Cannot read the size of " + in.HostFileName);
    sizeResult = std::int64_t(attributes->size);
    sftp_attributes_free(attributes);
    return FtpOk;
}

}  // namespace fsc
