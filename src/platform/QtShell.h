// Opening a file or web address with the desktop's default handler.
#pragma once

#include "base/IShell.h"

namespace fsc {

class QtShell final : public IShell {
public:
    // A text with a scheme ("https://...") is an address; anything else a local path.
    void Open(const std::string& fileOrAddress) override;
};

}  // namespace fsc
