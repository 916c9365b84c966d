// The shared memory budget: a holder taking more never waits for itself.
#include <gtest/gtest.h>

#include <thread>

#include "base/MemoryBudget.h"

namespace fsc {
namespace {

// A build step holds its picture's share while the reader reserves the pixels: had the reader
// waited for room, it would wait for its own step for ever. Another thread still waits, and
// goes on once both shares are back.
TEST(MemoryBudget, AThreadHoldingAShareTakesMoreAtOnceWhileOthersWait) {
    TMemoryBudget budget(10);
    bool otherRan = false;
    std::thread other;
    {
        const TMemoryBudget::TShare step = budget.Take(8);
        const TMemoryBudget::TShare reader = budget.Take(8);
        other = std::thread([&] {
            const TMemoryBudget::TShare late = budget.Take(8);
            otherRan = true;
        });
    }
    other.join();
    EXPECT_TRUE(otherRan);
}

}  // namespace
}  // namespace fsc
