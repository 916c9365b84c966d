// Opening a file or web address with the system's default handler (normally the browser).
#pragma once

#include <string>

namespace fsc {

class IShell {
public:
    virtual ~IShell() = default;
    virtual void Open(const std::string& fileOrAddress) = 0;
};

}  // namespace fsc
