// Host key trust for SFTP.
#include "ftp/SshHostKey.h"

#include <fstream>

namespace fsc {

namespace {

std::string Fingerprint(const ssh_key key) {
    unsigned char* hash = nullptr;
    std::size_t length = 0;
    if (key == nullptr ||
        ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != SSH_OK)
        return {};
    char* text = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
    ssh_clean_pubkey_hash(&hash);
    std::string fingerprint = text != nullptr ? text : "";
    ssh_string_free_char(text);
    return fingerprint;
}

std::string ServerFingerprint(ssh_session session) {
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(session, &key) != SSH_OK) return {};
    std::string fingerprint = Fingerprint(key);
    ssh_key_free(key);
    return fingerprint;
}

// The name known_hosts files give the server: "[host]:port" for another port than 22.
std::string KnownHostsName(ssh_session session) {
    char* host = nullptr;
    unsigned port = 22;
    ssh_options_get(session, SSH_OPTIONS_HOST, &host);
    ssh_options_get_port(session, &port);
    std::string name = host != nullptr ? host : "";
    ssh_string_free_char(host);
    return port == 22 ? name : "[" + name + "]:" + std::to_string(port);
}

// The fingerprints of the keys the known_hosts files hold for the server (hashed names
// included), for the warning about a changed key: libssh names the mismatch, not the key.
std::string KnownFingerprints(ssh_session session, const std::string& userFile) {
    const std::string name = KnownHostsName(session);
    std::string fingerprints;
    for (const std::string& path : {userFile, std::string("/etc/ssh/ssh_known_hosts")}) {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            ssh_knownhosts_entry* entry = nullptr;
            if (ssh_known_hosts_parse_line(name.c_str(), line.c_str(), &entry) != SSH_OK ||
                entry == nullptr)
                continue;
            const std::string fingerprint = Fingerprint(entry->publickey);
            ssh_knownhosts_entry_free(entry);
            if (!fingerprint.empty() && fingerprints.find(fingerprint) == std::string::npos)
                fingerprints += (fingerprints.empty() ? "" : " and ") + fingerprint;
        }
    }
    return fingerprints.empty() ? "another key" : fingerprints;
}

std::string UserKnownHostsFile(ssh_session session) {
    char* file = nullptr;
    ssh_options_get(session, SSH_OPTIONS_KNOWNHOSTS, &file);
    std::string path = file != nullptr ? file : "";
    ssh_string_free_char(file);
    return path;
}

}  // namespace

THostKeyCheck CheckHostKey(ssh_session session, const std::string& host,
                           const std::string& trusted) {
    THostKeyCheck check;
    check.Fingerprint = ServerFingerprint(session);
    switch (ssh_session_is_known_server(session)) {
        case SSH_KNOWN_HOSTS_OK:
            return check;
        case SSH_KNOWN_HOSTS_CHANGED:
        case SSH_KNOWN_HOSTS_OTHER:
            check.Error = FtpErrorHostKeyChanged;
            check.Text = "WARNING: the host key of " + host + " has changed! known_hosts holds " +
                         KnownFingerprints(session, UserKnownHostsFile(session)) +
                         ", the server now shows " + check.Fingerprint +
                         ". Someone may be listening in, or the server was set up anew. Ask "
                         "its administrator; if the new key is right, remove the old one with "
                         "\"ssh-keygen -R '" +
                         KnownHostsName(session) + "'\" and publish again.";
            return check;
        default:
            break;
    }
    if (!trusted.empty() && trusted == check.Fingerprint &&
        ssh_session_update_known_hosts(session) == SSH_OK)
        return check;
    check.Error = FtpErrorUnknownHostKey;
    check.Text = "The host key of " + host + " is not known. Its fingerprint is " +
                 check.Fingerprint +
                 "; if that is the server's (ask its administrator), publish again with "
                 "--trust-host-key " +
                 check.Fingerprint + ", which adds it to known_hosts.";
    if (!trusted.empty() && trusted != check.Fingerprint)
        check.Text += " The fingerprint given, " + trusted + ", is another key's.";
    return check;
}

}  // namespace fsc
