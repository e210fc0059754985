// Work a window hands to a thread of its own, and whose result it takes
// back on its own thread when the worker tells it so (a posted message, a
// queued call). The worker stores the result first and only then tells the
// window, so a window that is told always finds the result there: no
// notice can come before its result and be lost.
#pragma once

#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace orvik {

template <class Result>
class BackgroundResult {
public:
    BackgroundResult() = default;
    BackgroundResult(const BackgroundResult&) = delete;
    BackgroundResult& operator=(const BackgroundResult&) = delete;
    // Waits for work under way: it may still use what the window lent it.
    ~BackgroundResult() { Join(); }

    // Whether work was started whose result was not taken yet.
    bool Busy() const { return thread_.joinable(); }

    // Starts `work` on a thread of its own (only when not Busy()); once its
    // result is stored, the worker calls `ready`. An exception the work
    // throws is stored in its place and thrown again by Take().
    void Start(std::function<Result()> work, std::function<void()> ready) {
        thread_ = std::thread([this, work = std::move(work), ready = std::move(ready)] {
            std::optional<Result> result;
            std::exception_ptr failure;
            try {
                result.emplace(work());
            } catch (...) {
                failure = std::current_exception();
            }
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                result_ = std::move(result);
                failure_ = failure;
                done_ = true;
            }
            ready();
        });
    }

    // The result once it is stored (the work then no longer Busy()),
    // nothing while the work goes on.
    std::optional<Result> Take() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (!done_) return std::nullopt;
        }
        Join();
        done_ = false;
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
        return std::exchange(result_, std::nullopt);
    }

private:
    void Join() {
        if (thread_.joinable()) thread_.join();
    }

    std::thread thread_;
    std::mutex mutex_;
    bool done_ = false;
    std::optional<Result> result_;
    std::exception_ptr failure_;
};

}  // namespace orvik
