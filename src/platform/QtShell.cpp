// Opening files and addresses through QDesktopServices (xdg-open on Linux).
#include "platform/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/ByteText.h"

namespace fsc {

void QtShell::Open(const std::string& fileOrAddress) {
    const QString text = BytesToQString(fileOrAddress);
    const bool isAddress = text.contains("://") || text.startsWith("mailto:");
    // Like the shell's "open", the result is not checked: a missing handler is the
    // desktop's business, not a failure of the command that asked.
    QDesktopServices::openUrl(isAddress ? QUrl(text) : QUrl::fromLocalFile(text));
}

}  // namespace fsc
