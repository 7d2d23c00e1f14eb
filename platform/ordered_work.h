// Work done on worker threads and handed out in its own order: each worker has its own job
// function (and so its own state, a decoder for one) and calls it with the next index not
// yet taken; at most a few results a worker wait to be handed out, so memory stays bounded
// however far the taker falls behind. What is handed out is the same for any number of
// workers.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace orvik {

template <typename Result>
class OrderedWork {
  public:
    using Job = std::function<Result(std::size_t index)>;

    // Results for the indices 0 .. count - 1; one worker starts for each job.
    OrderedWork(std::size_t count, std::vector<Job> jobs)
        : jobs_(std::move(jobs)), count_(count), waiting_(kAheadPerWorker * jobs_.size()) {
        for (Job& job : jobs_) {
            workers_.emplace_back([this, &job] { Work(job); });
        }
    }
    // Stops the workers once their current index is done.
    ~OrderedWork() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        workers_.clear();
    }
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // The result of the next index in order, waiting for it; at most count times.
    Result Next() {
        std::unique_lock lock(mutex_);
        std::optional<Result>& slot = waiting_[nextToHand_ % waiting_.size()];
        changed_.wait(lock, [&slot] { return slot.has_value(); });
        Result result = std::move(*slot);
        slot.reset();
        ++nextToHand_;
        lock.unlock();
        changed_.notify_all();
        return result;
    }

  private:
    // Results a worker may have made ahead: two keep every worker busy while the taker
    // takes one.
    static constexpr std::size_t kAheadPerWorker = 2;

    void Work(Job& job) {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] {
                    return stopping_ || nextToTake_ == count_ ||
                           nextToTake_ < nextToHand_ + waiting_.size();
                });
                if (stopping_ || nextToTake_ == count_) {
                    return;
                }
                index = nextToTake_++;
            }
            Result result = job(index);
            {
                const std::lock_guard lock(mutex_);
                waiting_[index % waiting_.size()] = std::move(result);
            }
            changed_.notify_all();
        }
    }

    std::vector<Job> jobs_;
    std::size_t count_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Result>> waiting_;  // index i in slot i % size
    std::size_t nextToTake_ = 0;
    std::size_t nextToHand_ = 0;
    bool stopping_ = false;
    std::vector<std::jthread> workers_;  // last: joined before the rest goes
};

}  // namespace orvik
