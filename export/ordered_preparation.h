// Frames prepared on worker threads and handed out in their own order: each worker has its
// own preparer (and so its own decoder state) and takes the next frame not yet taken; at
// most a few frames a worker wait to be handed out, so memory stays bounded however far
// the writer falls behind. The output is the same for any number of workers.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "export/clip_stream.h"

namespace orvik {

class OrderedPreparation {
  public:
    // frames must outlive the object; one worker starts for each preparer.
    OrderedPreparation(std::vector<std::unique_ptr<FramePreparer>> preparers,
                       std::vector<const ClipFrame*> frames);
    // Stops the workers once their current frame is done.
    ~OrderedPreparation();
    OrderedPreparation(const OrderedPreparation&) = delete;
    OrderedPreparation& operator=(const OrderedPreparation&) = delete;

    // The next frame in order, waiting for it; at most once for each frame.
    PreparedFrame Next();

  private:
    void Work(FramePreparer& preparer);

    std::vector<std::unique_ptr<FramePreparer>> preparers_;
    std::vector<const ClipFrame*> frames_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<PreparedFrame>> waiting_;  // frame i in slot i % size
    std::size_t nextToTake_ = 0;
    std::size_t nextToHand_ = 0;
    bool stopping_ = false;
    std::vector<std::jthread> workers_;  // last: joined before the rest goes
};

}  // namespace orvik
