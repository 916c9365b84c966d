// Reading the build command's options.
#include "cli/BuildArguments.h"

#include "base/Text.h"
#include "cli/CliUsage.h"
#include "ftp/CertificateFingerprint.h"
#include "ftp/SyncManifest.h"

namespace fsc {

namespace {

class TArgReader {
public:
    explicit TArgReader(const std::vector<std::string>& args) : args(args) {}
    bool More() const { return next < args.size(); }
    const std::string& Take() { return args[next++]; }
    const std::string& Value(const std::string& option) {
        if (!More()) throw EUsageError(option + " needs a value");
        return Take();
    }

private:
    const std::vector<std::string>& args;
    std::size_t next = 0;
};

bool ReadFlag(TBuildArguments& result, const std::string& arg) {
    if (arg == "--yes" || arg == "--no") {
        const bool answer = arg == "--yes";
        if (result.Answer && *result.Answer != answer) throw EUsageError("--yes and --no together");
        result.Answer = answer;
    } else if (arg == "--open") {
        result.Open = true;
    } else if (arg == "--skip-bad") {
        result.SkipBad = true;
    } else if (arg == "--quiet") {
        result.Quiet = true;
    } else if (arg == "--originals") {
        result.Originals = true;
    } else {
        return false;
    }
    return true;
}

void ReadOption(TBuildArguments& result, const std::string& arg, TArgReader& reader) {
    if (IsUploadOption(arg)) {
        if (!result.Upload) throw EUsageError(arg + " belongs after --upload");
        ReadUploadOption(*result.Upload, arg, [&] { return reader.Value(arg); });
    } else if (arg == "--images" || arg == "--image-set") {
        result.Sources.push_back({arg == "--image-set", reader.Value(arg)});
    } else if (arg == "--html-dir") {
        result.HTMLDir = reader.Value(arg);
    } else if (arg == "--html-file") {
        result.HTMLFile = reader.Value(arg);
    } else if (arg == "--image-dir") {
        result.ImageDir = reader.Value(arg);
    } else if (arg == "--template") {
        result.Template = reader.Value(arg);
    } else if (arg == "--param") {
        result.Params.push_back(reader.Value(arg));
    } else if (arg == "--set") {
        result.Settings.push_back(reader.Value(arg));
    } else if (arg == "--jobs") {
        const std::string& value = reader.Value(arg);
        int jobs = 0;
        if (!TryParseInt(value, jobs) || jobs < 0 || jobs > 64) {
            throw EUsageError("--jobs needs a whole number from 0 (one per core) to 64, not \"" +
                              value + "\"");
        }
        result.Jobs = jobs;
    } else if (arg == "--sort") {
        const std::string& value = reader.Value(arg);
        const std::optional<TPictureOrder> order = PictureOrderNamed(value);
        if (!order) throw EUsageError("--sort needs name, date or none, not \"" + value + "\"");
        result.Sort = *order;
    } else if (arg == "--save-project") {
        result.SaveProject = reader.Value(arg);
    } else if (arg == "--upload") {
        // Options given after an earlier --upload stay with the address that replaces it.
        TUploadTarget target = result.Upload.value_or(TUploadTarget{});
        const TUploadTarget address = ParseUploadAddress(reader.Value(arg));
        target.Sftp = address.Sftp;
        target.User = address.User;
        target.Host = address.Host;
        target.SubDir = address.SubDir;
        result.Upload = target;
    } else {
        throw EUsageError("unknown option \"" + arg + "\" for build");
    }
}

}  // namespace

std::string TrustedCertificateArgument(const std::string& value) {
    const auto fingerprint = ParseFingerprint(value);
    if (!fingerprint) {
        throw EUsageError(
            "--trust-certificate needs a SHA-256 fingerprint (SHA256: and 64 hex digits), "
            "not \"" +
            value + "\"");
    }
    return *fingerprint;
}

// Eight keep a server's usual limit of connections a client may open at once.
int ConnectionsArgument(const std::string& value) {
    int count = 0;
    if (!TryParseInt(value, count) || count < 1 || count > 8)
        throw EUsageError("--connections needs a whole number from 1 to 8, not \"" + value + "\"");
    return count;
}

void CheckUploadOptions(const TUploadTarget& target) {
    if (!target.Tls && !target.TrustedCertificate.empty())
        throw EUsageError("--trust-certificate and --no-tls together");
    if (target.Sftp && (!target.TrustedCertificate.empty() || target.AcceptHostnameMismatch))
        throw EUsageError("an sftp:// address trusts host keys: use --trust-host-key");
    if (!target.Sftp && (!target.TrustedHostKey.empty() || !target.Identity.empty()))
        throw EUsageError("--trust-host-key and --identity are for sftp:// addresses");
}

bool IsUploadOption(const std::string& arg) {
    for (const char* option :
         {"--passive", "--active", "--no-tls", "--sync", "--trust-certificate", "--www",
          "--include", "--exclude", "--dry-run", "--accept-hostname-mismatch", "--trust-host-key",
          "--identity", "--connections"}) {
        if (arg == option) return true;
    }
    return false;
}

bool ReadUploadOption(TUploadTarget& target, const std::string& arg,
                      const std::function<std::string()>& value) {
    if (arg == "--passive" || arg == "--active") {
        target.Passive = arg == "--passive";
    } else if (arg == "--no-tls") {
        target.Tls = false;
    } else if (arg == "--sync") {
        target.Sync = true;
    } else if (arg == "--accept-hostname-mismatch") {
        target.AcceptHostnameMismatch = true;
    } else if (arg == "--dry-run") {
        target.DryRun = true;
    } else if (arg == "--trust-certificate") {
        target.TrustedCertificate = TrustedCertificateArgument(value());
    } else if (arg == "--www") {
        target.WWWAddress = value();
    } else if (arg == "--trust-host-key") {
        target.TrustedHostKey = value();
        if (!StartsWith(target.TrustedHostKey, "SHA256:") || target.TrustedHostKey.size() < 20) {
            throw EUsageError(
                "--trust-host-key needs a key's fingerprint as OpenSSH shows it "
                "(SHA256:...), not \"" +
                target.TrustedHostKey + "\"");
        }
    } else if (arg == "--identity") {
        target.Identity = value();
    } else if (arg == "--connections") {
        target.Connections = ConnectionsArgument(value());
    } else if (arg == "--include") {
        target.Include.push_back(value());
    } else if (arg == "--exclude") {
        target.Exclude.push_back(value());
    } else {
        return false;
    }
    return true;
}

bool IsUploadAddress(const std::string& arg) {
    return StartsWithNoCase(arg, "ftp://") || StartsWithNoCase(arg, "sftp://");
}

TUploadTarget ParseUploadAddress(const std::string& address) {
    if (!IsUploadAddress(address)) {
        throw EUsageError(
            "--upload needs an address sftp://USER@HOST[:PORT]/PATH or "
            "ftp://USER@HOST[:PORT]/PATH, not \"" +
            address + "\"");
    }
    TUploadTarget target;
    target.Sftp = StartsWithNoCase(address, "sftp://");
    const std::string rest = address.substr(address.find("://") + 3);
    const std::size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    const std::size_t at = authority.rfind('@');
    if (at == std::string::npos || at == 0)
        throw EUsageError("--upload needs a user: ftp://USER@HOST/");
    target.User = authority.substr(0, at);
    // It would go to the server as part of the user name, and stay in the server's log.
    if (target.User.find(':') != std::string::npos) {
        throw EUsageError(std::string("--upload: no password in the address; give it in ") +
                          (target.Sftp ? "FOLIOSCOPE_SFTP_PASSWORD" : "FOLIOSCOPE_FTP_PASSWORD") +
                          " or type it when asked");
    }
    target.Host = authority.substr(at + 1);
    if (target.Host.empty() || target.Host.front() == ':') {
        throw EUsageError("--upload needs a host: ftp://USER@HOST/");
    }
    std::string subDir = slash == std::string::npos ? "" : rest.substr(slash + 1);
    while (!subDir.empty() && subDir.back() == '/') subDir.pop_back();
    // Levels of plain folder names: the upload makes and enters them below the login folder,
    // never above it.
    if (!subDir.empty() && !IsPlainRelativePath(subDir)) {
        throw EUsageError("--upload: \"" + subDir +
                          "\" is not a folder path of plain names below the login folder");
    }
    target.SubDir = subDir;
    return target;
}

TBuildArguments ParseBuildArguments(const std::vector<std::string>& args) {
    TBuildArguments result;
    TArgReader reader(args);
    while (reader.More()) {
        const std::string& arg = reader.Take();
        if (ReadFlag(result, arg)) continue;
        if (StartsWith(arg, "--")) {
            ReadOption(result, arg, reader);
        } else if (result.Project.empty()) {
            result.Project = arg;
        } else {
            throw EUsageError("only one project file: \"" + result.Project + "\" and \"" + arg +
                              "\"");
        }
    }
    if (result.Upload) CheckUploadOptions(*result.Upload);
    return result;
}

}  // namespace fsc
