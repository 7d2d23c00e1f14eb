#include "export/ordered_preparation.h"

namespace orvik {
namespace {

// Frames a worker may have prepared ahead: two keep every worker busy while the writer
// takes one.
constexpr std::size_t kAheadPerWorker = 2;

}  // namespace

OrderedPreparation::OrderedPreparation(std::vector<std::unique_ptr<FramePreparer>> preparers,
                                       std::vector<const ClipFrame*> frames)
    : preparers_(std::move(preparers)),
      frames_(std::move(frames)),
      waiting_(kAheadPerWorker * preparers_.size()) {
    for (const auto& preparer : preparers_) {
        workers_.emplace_back([this, &preparer] { Work(*preparer); });
    }
}

OrderedPreparation::~OrderedPreparation() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    workers_.clear();
}

void OrderedPreparation::Work(FramePreparer& preparer) {
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] {
                return stopping_ || nextToTake_ == frames_.size() ||
                       nextToTake_ < nextToHand_ + waiting_.size();
            });
            if (stopping_ || nextToTake_ == frames_.size()) {
                return;
            }
            index = nextToTake_++;
        }
        PreparedFrame prepared = preparer.Prepare(*frames_[index]);
        {
            const std::lock_guard lock(mutex_);
            waiting_[index % waiting_.size()] = std::move(prepared);
        }
        changed_.notify_all();
    }
}

PreparedFrame OrderedPreparation::Next() {
    std::unique_lock lock(mutex_);
    std::optional<PreparedFrame>& slot = waiting_[nextToHand_ % waiting_.size()];
    changed_.wait(lock, [&slot] { return slot.has_value(); });
    PreparedFrame prepared = std::move(*slot);
    slot.reset();
    ++nextToHand_;
    lock.unlock();
    changed_.notify_all();
    return prepared;
}

}  // namespace orvik
