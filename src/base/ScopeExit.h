// A clean-up that runs when its scope ends, whether by return or by an exception.
#pragma once

#include <utility>

namespace fsc {

template <typename CleanUp>
class TScopeExit {
public:
    explicit TScopeExit(CleanUp cleanUp) : cleanUp(std::move(cleanUp)) {}
    ~TScopeExit() { cleanUp(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    CleanUp cleanUp;
};

}  // namespace fsc
