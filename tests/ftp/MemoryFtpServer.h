// An FTP server held in memory behind the session interface, and the event loop its
// sessions share: the sync's logic runs on it without a network or Qt, so the sanitizer
// build sees it. Each request finishes on a later turn of the loop, as a real session's do.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/Files.h"
#include "ftp/IFtpSession.h"

namespace fsc::test {

class TMemoryLoop {
public:
    void Post(std::function<void()> work) { pending.push_back(std::move(work)); }
    // Runs posted work, and what that work posts, until nothing is left.
    void Run() {
        while (!pending.empty()) {
            std::function<void()> work = std::move(pending.front());
            pending.pop_front();
            work();
        }
    }

private:
    std::deque<std::function<void()>> pending;
};

struct TMemoryFtpServer {
    std::map<std::string, std::string> Files;  // by absolute path
    std::set<std::string> Folders{"/"};
    // "STOR path" and "RNTO path" in the order they arrived, from every session.
    std::vector<std::string> Log;
};

class TMemoryFtpSession : public IFtpSession {
public:
    // `latency`: the turns of the loop each answer takes, so that one session can be made
    // slower than another.
    TMemoryFtpSession(TMemoryFtpServer& server, TMemoryLoop& loop, int latency = 0)
        : server(server), loop(loop), latency(latency) {}

    void SetEvents(IFtpSessionEvents* events) override { this->events = events; }
    void After(int, std::function<void()> work) override { loop.Post(std::move(work)); }
    void Start(TFtpRequest request) override {
        const int error = Carry(request);
        Answer(latency, [this, request, error] {
            if (events != nullptr) events->RequestDone(request, error);
        });
    }
    bool Connected() const override { return connected; }
    std::string DirResult() const override { return folder; }
    int LastReplyCode() const override { return 550; }
    std::string ErrorText() const override { return "550 Refused."; }
    std::string ServerCertificate() const override { return ""; }
    std::int64_t SizeResult() const override { return size; }

private:
    TMemoryFtpServer& server;
    TMemoryLoop& loop;
    int latency;
    IFtpSessionEvents* events = nullptr;
    bool connected = false;
    std::string folder = "/";
    std::int64_t size = -1;

    void Answer(int turns, std::function<void()> answer) {
        if (turns == 0) return loop.Post(std::move(answer));
        loop.Post([this, turns, answer = std::move(answer)]() mutable {
            Answer(turns - 1, std::move(answer));
        });
    }
    std::string Resolve(const std::string& name) const {
        if (name.empty()) return folder;
        const std::string path = name.front() == '/' ? name : folder + "/" + name;
        std::string clean;
        for (std::size_t at = 0; at < path.size(); ++at) {
            if (path[at] == '/' && (clean.empty() ? false : clean.back() == '/')) continue;
            clean += path[at];
        }
        if (clean.size() > 1 && clean.back() == '/') clean.pop_back();
        return clean.empty() ? "/" : clean;
    }
    static std::string Parent(const std::string& path) {
        const std::size_t slash = path.rfind('/');
        return slash == 0 ? "/" : path.substr(0, slash);
    }
    std::string Listing(const std::string& path) const {
        std::string text;
        const std::string prefix = path == "/" ? "/" : path + "/";
        const auto entry = [&](const std::string& name, const char* mode, std::size_t bytes) {
            text += std::string(mode) + " 1 user group " + std::to_string(bytes) +
                    " Jan 01 12:00 " + name + "\r\n";
        };
        for (const std::string& sub : server.Folders) {
            if (sub.starts_with(prefix) && sub.find('/', prefix.size()) == std::string::npos)
                entry(sub.substr(prefix.size()), "drwxr-xr-x", 0);
        }
        for (const auto& [file, bytes] : server.Files) {
            if (file.starts_with(prefix) && file.find('/', prefix.size()) == std::string::npos)
                entry(file.substr(prefix.size()), "-rw-r--r--", bytes.size());
        }
        return text;
    }

    int Carry(TFtpRequest request) {
        const std::string path = Resolve(HostFileName);
        switch (request) {
            case TFtpRequest::Connect:
                connected = true;
                folder = "/";
                return FtpOk;
            case TFtpRequest::Quit:
                connected = false;
                return FtpOk;
            case TFtpRequest::Abort:
            case TFtpRequest::PrintDir:
                return FtpOk;
            case TFtpRequest::ChangeDir: {
                const std::string target = Resolve(HostDirName);
                if (!server.Folders.count(target)) return 550;
                folder = target;
                return FtpOk;
            }
            case TFtpRequest::MakeDir:
                if (server.Folders.count(path) || !server.Folders.count(Parent(path))) return 550;
                server.Folders.insert(path);
                return FtpOk;
            case TFtpRequest::RemoveDir:
                return server.Folders.erase(path) ? FtpOk : 550;
            case TFtpRequest::List:
                if (!server.Folders.count(path)) return 550;
                WriteFileBytes(LocalFileName, Listing(path));
                return FtpOk;
            case TFtpRequest::Get: {
                const auto file = server.Files.find(path);
                if (file == server.Files.end()) return 550;
                WriteFileBytes(LocalFileName, file->second);
                return FtpOk;
            }
            case TFtpRequest::Put:
                if (!server.Folders.count(Parent(path))) return 550;
                server.Files[path] = ReadFileBytes(LocalFileName);
                server.Log.push_back("STOR " + path);
                return FtpOk;
            case TFtpRequest::Rename: {
                const auto file = server.Files.find(path);
                if (file == server.Files.end()) return 550;
                const std::string target = Resolve(HostNewName);
                server.Files[target] = std::move(file->second);
                server.Files.erase(path);
                server.Log.push_back("RNTO " + target);
                return FtpOk;
            }
            case TFtpRequest::Size: {
                const auto file = server.Files.find(path);
                size = file == server.Files.end() ? -1 : std::int64_t(file->second.size());
                return file == server.Files.end() ? 550 : FtpOk;
            }
            case TFtpRequest::Delete:
                return server.Files.erase(path) ? FtpOk : 550;
        }
        return FtpErrorProtocol;
    }
};

}  // namespace fsc::test
