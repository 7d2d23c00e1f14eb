// Frames read on several threads, each worker with its own FrameReader, and their results
// taken on the calling thread in the frames' order: whatever take prints or writes comes
// out the same for any number of jobs. One job reads every frame on the calling thread.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "library/frame_reader.h"
#include "platform/ordered_work.h"

namespace orvik {

template <typename Result>
void ReadFramesInOrder(std::size_t count, int jobs,
                       const std::function<std::unique_ptr<FrameReader>()>& makeReader,
                       const std::function<Result(FrameReader& reader, std::size_t index)>& read,
                       const std::function<void(std::size_t index, Result result)>& take) {
    const std::size_t workers = std::min(count, static_cast<std::size_t>(std::max(1, jobs)));
    if (workers <= 1) {
        const std::unique_ptr<FrameReader> reader = makeReader();
        for (std::size_t i = 0; i < count; ++i) {
            take(i, read(*reader, i));
        }
        return;
    }
    std::vector<typename OrderedWork<Result>::Job> work;
    for (std::size_t worker = 0; worker < workers; ++worker) {
        work.emplace_back([reader = std::shared_ptr(makeReader()), &read](std::size_t index) {
            return read(*reader, index);
        });
    }
    OrderedWork<Result> ordered(count, std::move(work));
    for (std::size_t i = 0; i < count; ++i) {
        take(i, ordered.Next());
    }
}

}  // namespace orvik
