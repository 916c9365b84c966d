// A number of bytes that threads working side by side share, so that a few large items
// (a progressive JPEG keeps every coefficient of the picture while it decodes) are not held
// in memory at the same time.
#pragma once

#include <malloc.h>

#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>

namespace fsc {

// glibc raises its threshold for mapping large blocks each time one is freed, and then keeps
// later picture buffers inside the heap, where freed memory is rarely given back. A fixed
// threshold maps every picture-sized buffer and returns it when freed, so the process does
// not grow with the number of pictures it has made. Called once at start-up.
inline void MapLargeBuffersApart() { mallopt(M_MMAP_THRESHOLD, 1 << 20); }

// What pictures read side by side may hold at once; a larger one is read alone.
inline constexpr std::size_t PictureMemoryBudget = std::size_t(64) << 20;

class TMemoryBudget {
public:
    explicit TMemoryBudget(std::size_t bytes) : limit(bytes) {}
    TMemoryBudget(const TMemoryBudget&) = delete;
    TMemoryBudget& operator=(const TMemoryBudget&) = delete;

    // Bytes taken until it goes out of scope.
    class TShare {
    public:
        TShare(TMemoryBudget& budget, std::size_t bytes) : budget(&budget), bytes(bytes) {}
        TShare(TShare&& other) noexcept : budget(other.budget), bytes(other.bytes) {
            other.budget = nullptr;
        }
        TShare(const TShare&) = delete;
        TShare& operator=(const TShare&) = delete;
        TShare& operator=(TShare&&) = delete;
        ~TShare() {
            if (budget != nullptr) budget->Give(bytes);
        }

    private:
        TMemoryBudget* budget;
        std::size_t bytes;
    };

    // Waits until `bytes` fit beside what others hold. With nothing held anything fits, so an
    // item larger than the whole budget runs too, alone. A thread that already holds a share
    // (a build step reading a picture whose reader reserves its own pixels) takes more at
    // once: were it to wait, two such threads could each wait for the other for ever.
    TShare Take(std::size_t bytes) {
        std::unique_lock lock(mutex);
        if (HeldHere() == 0) freed.wait(lock, [&] { return used == 0 || used + bytes <= limit; });
        used += bytes;
        HeldHere()++;
        return TShare(*this, bytes);
    }

private:
    std::size_t limit;
    std::size_t used = 0;
    std::mutex mutex;
    std::condition_variable freed;

    void Give(std::size_t bytes) {
        std::lock_guard lock(mutex);
        used -= bytes;
        HeldHere()--;
        freed.notify_all();
    }

    // How many shares of this budget the calling thread holds; a share is given back on the
    // thread that took it.
    int& HeldHere() {
        thread_local std::map<const TMemoryBudget*, int> held;
        return held[this];
    }
};

// The budget every picture reader and build step of the process shares, so that pictures
// read by different parts at the same time still count against one sum.
inline TMemoryBudget& SharedPictureMemory() {
    static TMemoryBudget budget(PictureMemoryBudget);
    return budget;
}

}  // namespace fsc
