#include "tools/frame/decoding_setup.h"

#include "colour/store/settings_store.h"

namespace orvik {

PictureAdjustments AdjustmentsToUse(const Options& options) {
    return options.adjustments ? *options.adjustments : ReadStoredAdjustments();
}

}  // namespace orvik
