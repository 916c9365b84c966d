// The current date and time, injected so that builds and tests can fix it.
#pragma once

#include "base/TDateTime.h"

namespace fsc {

class IClock {
public:
    virtual ~IClock() = default;
    virtual TDateTime Now() = 0;
};

class TSystemClock final : public IClock {
public:
    TDateTime Now() override { return SystemNow(); }
};

}  // namespace fsc
