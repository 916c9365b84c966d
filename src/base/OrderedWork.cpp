// A small pool of threads started for one run of ordered work.
#include "base/OrderedWork.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace fsc {

namespace {

class TInlineCaller final : public ICallingThread {
public:
    void Run(const std::function<void()>& task) override { task(); }
};

bool RunInline(const TOrderedWork& work) {
    TInlineCaller caller;
    for (int i = 0; i < work.Count; ++i) {
        if (work.Stop && work.Stop()) return false;
        if (work.Prepare) work.Prepare(i);
        work.Produce(i, caller);
        work.Consume(i);
    }
    return true;
}

// A task a worker handed to the calling thread, and how it ended.
struct TCallerTask {
    const std::function<void()>* Task = nullptr;
    std::exception_ptr Error;
    bool Finished = false;
};

class TPool final : public ICallingThread {
public:
    TPool(const TOrderedWork& work)
        : work(work), finished(std::size_t(work.Count), 0), errors(std::size_t(work.Count)) {
        for (int t = 0; t < work.Workers; ++t) threads.emplace_back([this] { WorkerLoop(); });
    }

    // However the run ends, the threads finish what they started; a worker waiting for the
    // calling thread is still served, or it could never end.
    ~TPool() {
        std::unique_lock lock(mutex);
        closing = true;
        queue.clear();
        changed.notify_all();
        while (running > 0) ServeOrWait(lock);
        lock.unlock();
        for (std::thread& thread : threads) thread.join();
    }

    TPool(const TPool&) = delete;
    TPool& operator=(const TPool&) = delete;

    void HandOut(int index) {
        std::lock_guard lock(mutex);
        queue.push_back(index);
        changed.notify_all();
    }

    // Waits for item `index`, serving the workers' tasks meanwhile; raises its exception.
    void AwaitItem(int index) {
        std::unique_lock lock(mutex);
        while (!finished[std::size_t(index)]) ServeOrWait(lock);
        if (std::exception_ptr error = errors[std::size_t(index)]) {
            errors[std::size_t(index)] = nullptr;
            std::rethrow_exception(error);
        }
    }

    void Run(const std::function<void()>& task) override {
        TCallerTask call;
        call.Task = &task;
        std::unique_lock lock(mutex);
        callerTasks.push_back(&call);
        changed.notify_all();
        changed.wait(lock, [&] { return call.Finished; });
        if (call.Error) std::rethrow_exception(call.Error);
    }

private:
    const TOrderedWork& work;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<int> queue;
    std::deque<TCallerTask*> callerTasks;
    std::vector<char> finished;
    std::vector<std::exception_ptr> errors;
    std::vector<std::thread> threads;
    int running = 0;
    bool closing = false;

    void WorkerLoop() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return closing || !queue.empty(); });
            if (queue.empty()) return;
            const int index = queue.front();
            queue.pop_front();
            ++running;
            lock.unlock();
            std::exception_ptr error;
            try {
                work.Produce(index, *this);
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            --running;
            errors[std::size_t(index)] = error;
            finished[std::size_t(index)] = 1;
            changed.notify_all();
        }
    }

    // On the calling thread, with the lock held: runs one task a worker asked for, or waits a
    // little and lets the caller keep its window alive.
    void ServeOrWait(std::unique_lock<std::mutex>& lock) {
        if (!callerTasks.empty()) {
            TCallerTask* call = callerTasks.front();
            callerTasks.pop_front();
            lock.unlock();
            try {
                (*call->Task)();
            } catch (...) {
                call->Error = std::current_exception();
            }
            lock.lock();
            call->Finished = true;
            changed.notify_all();
            return;
        }
        if (changed.wait_for(lock, std::chrono::milliseconds(40)) == std::cv_status::timeout &&
            work.Wait) {
            lock.unlock();
            work.Wait();
            lock.lock();
        }
    }
};

}  // namespace

bool RunInOrder(const TOrderedWork& work) {
    if (work.Workers <= 1 || work.Count <= 1) return RunInline(work);
    TPool pool(work);
    // Enough items ahead to keep every thread busy while the calling thread writes.
    const int ahead = 2 * work.Workers;
    int next = 0;
    for (int index = 0; index < work.Count; ++index) {
        while (next < work.Count && next - index < ahead) {
            if (work.Stop && work.Stop()) return false;
            if (work.Prepare) work.Prepare(next);
            pool.HandOut(next++);
        }
        pool.AwaitItem(index);
        work.Consume(index);
    }
    return true;
}

int WorkerCount(int requested) {
    if (requested > 0) return std::min(requested, 64);
    return std::max(1, int(std::thread::hardware_concurrency()));
}

}  // namespace fsc
