// Work spread over threads and taken back in order.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "base/OrderedWork.h"

namespace fsc {
namespace {

// Later items finish first, so any ordering that follows the threads shows.
void SleepInReverse(int index, int count) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2 * (count - index)));
}

TEST(OrderedWork, ResultsAreTakenInItemOrderOnTheCallingThread) {
    for (int workers : {1, 2, 5}) {
        SCOPED_TRACE(workers);
        const int count = 17;
        const std::thread::id caller = std::this_thread::get_id();
        std::vector<int> results(count, -1), consumed;
        std::vector<std::thread::id> ranOn(count);
        TOrderedWork work;
        work.Count = count;
        work.Workers = workers;
        work.Produce = [&](int i, ICallingThread& calling) {
            SleepInReverse(i, count);
            results[std::size_t(i)] = i * i;
            calling.Run([&] { ranOn[std::size_t(i)] = std::this_thread::get_id(); });
        };
        work.Consume = [&](int i) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_EQ(results[std::size_t(i)], i * i);
            consumed.push_back(i);
        };
        EXPECT_TRUE(RunInOrder(work));
        ASSERT_EQ(consumed.size(), std::size_t(count));
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(consumed[std::size_t(i)], i);
            EXPECT_EQ(ranOn[std::size_t(i)], caller) << "a task handed to the calling thread";
        }
    }
}

TEST(OrderedWork, AnErrorArrivesAtItsItemsTurnAfterTheItemsBeforeIt) {
    std::vector<int> consumed;
    std::atomic<int> running{0}, mostAtOnce{0};
    TOrderedWork work;
    work.Count = 40;
    work.Workers = 3;
    work.Produce = [&](int i, ICallingThread&) {
        const int now = ++running;
        mostAtOnce = std::max(mostAtOnce.load(), now);
        SleepInReverse(i % 5, 5);
        --running;
        if (i == 7) throw std::runtime_error("picture 7 is broken");
    };
    work.Consume = [&](int i) { consumed.push_back(i); };
    try {
        RunInOrder(work);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "picture 7 is broken");
    }
    EXPECT_EQ(consumed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(running, 0) << "every started item has finished";
    EXPECT_LE(mostAtOnce, 3);
}

TEST(OrderedWork, StopHandsOutNothingMoreAndLetsRunningItemsFinish) {
    for (int workers : {1, 2}) {
        SCOPED_TRACE(workers);
        std::atomic<int> produced{0};
        std::vector<int> consumed;
        TOrderedWork work;
        work.Count = 100;
        work.Workers = workers;
        work.Produce = [&](int, ICallingThread&) { ++produced; };
        work.Consume = [&](int i) { consumed.push_back(i); };
        work.Stop = [&] { return consumed.size() >= 3; };
        EXPECT_FALSE(RunInOrder(work));
        EXPECT_EQ(consumed, (std::vector<int>{0, 1, 2}));
        // Only the few handed out ahead of the consumer were made.
        EXPECT_LE(produced, 3 + 2 * workers);
    }
}

}  // namespace
}  // namespace fsc
