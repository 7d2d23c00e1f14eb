#include "tools/frame/decoding_setup.h"

#include <thread>

#include "settings/file/stored_adjustments.h"

namespace orvik {

PictureAdjustments AdjustmentsToUse(const Options& options) {
    return options.adjustments ? *options.adjustments : ReadStoredAdjustmentsFile();
}

int JobsToUse(const Options& options) {
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return options.jobs.value_or(processors > 0 ? processors : 1);
}

}  // namespace orvik
