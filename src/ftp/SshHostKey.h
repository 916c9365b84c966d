// Trusting an SSH server's host key the way OpenSSH does: the user's known_hosts file (and
// the system's), hashed entries included.
#pragma once

#include <libssh/libssh.h>

#include <string>

#include "ftp/IFtpSession.h"

namespace fsc {

struct THostKeyCheck {
    // 0 when the key is known (or was trusted now and added to known_hosts), else one of the
    // two errors above.
    int Error = 0;
    std::string Text;
    // The server's key as OpenSSH shows it: "SHA256:" and the unpadded base64 of its hash.
    std::string Fingerprint;
};

// Checks the key of the connected `session` for `host` (as the user wrote it). An unknown
// key whose fingerprint is `trusted` is written to the user's known_hosts. A changed key is
// refused whatever `trusted` says: accepting it is for the user to do by hand.
THostKeyCheck CheckHostKey(ssh_session session, const std::string& host,
                           const std::string& trusted);

}  // namespace fsc
