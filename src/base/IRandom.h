// Random numbers, injected so that builds and tests can fix them.
#pragma once

#include <random>

namespace fsc {

class IRandom {
public:
    virtual ~IRandom() = default;
    // A whole number from 0 to range - 1 (0 when range is 0 or less).
    virtual int Random(int range) = 0;
};

class TSystemRandom final : public IRandom {
public:
    TSystemRandom() : engine(std::random_device{}()) {}
    int Random(int range) override {
        if (range <= 0) return 0;
        return std::uniform_int_distribution<int>(0, range - 1)(engine);
    }

private:
    std::mt19937 engine;
};

}  // namespace fsc
