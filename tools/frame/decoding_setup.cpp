#include "tools/frame/decoding_setup.h"

#include <thread>

#include "settings/settings_store.h"

namespace orvik {

PictureAdjustments AdjustmentsToUse(const Options& options) {
    return options.adjustments ? *options.adjustments : ReadStoredAdjustments();
}

int JobsToUse(const Options& options) {
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return options.jobs.value_or(processors > 0 ? processors : 1);
}

}  // namespace orvik
