#include "output/OrderedChunks.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace orvik {
namespace {

// Runs `f`; returns what it threw, or nothing.
template <class F>
std::exception_ptr Caught(F&& f) {
    try {
        f();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

}  // namespace

void MakeChunksInOrder(std::size_t count, int workers, const std::function<void(std::size_t, std::string&)>& make,
                       const std::function<void(std::size_t, const std::string&)>& take) {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<std::string>> made(count);
    std::vector<std::string> spare;  // taken chunks, their memory ready for the next
    std::size_t started = 0;  // chunks handed to a worker
    std::size_t taken = 0;  // chunks handed to `take`
    std::exception_ptr failure;
    const std::size_t ahead = 2 * static_cast<std::size_t>(workers > 0 ? workers : 1);

    // Makes chunk k into a spare string; called and returns with the lock held.
    auto makeChunk = [&](std::unique_lock<std::mutex>& lock, std::size_t k) {
        std::string text;
        if (!spare.empty()) {
            text = std::move(spare.back());
            spare.pop_back();
        }
        lock.unlock();
        const std::exception_ptr error = Caught([&] { make(k, text); });
        lock.lock();
        if (!error)
            made[k] = std::move(text);
        else if (!failure)
            failure = error;
        changed.notify_all();
    };
    auto work = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return failure || started == count || started < taken + ahead; });
            if (failure || started == count) return;
            makeChunk(lock, started++);
        }
    };

    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer workers; with none, this thread makes every chunk
        }
    }

    std::unique_lock lock(mutex);
    while (taken < count && !failure) {
        if (threads.empty()) makeChunk(lock, started++);
        changed.wait(lock, [&] { return failure || made[taken].has_value(); });
        if (failure) break;
        std::string text = std::move(*made[taken]);
        made[taken].reset();
        lock.unlock();
        const std::exception_ptr error = Caught([&] { take(taken, text); });
        lock.lock();
        if (error) failure = error;
        spare.push_back(std::move(text));
        ++taken;
        changed.notify_all();
    }
    lock.unlock();
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace orvik
