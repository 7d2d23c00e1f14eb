// Links records to their neighbours in slot order: after a sort has moved them, every
// record's prev and next name the records in the slots before and after it.
#pragma once

#include <cstddef>

namespace orvik {

// recordAt(i) gives the record in slot i (a pointer) for i in 0..count-1.
template <typename RecordAt>
void LinkInSlotOrder(std::size_t count, RecordAt recordAt) {
    for (std::size_t i = 0; i < count; ++i) {
        auto* record = recordAt(i);
        record->prev = i > 0 ? recordAt(i - 1) : nullptr;
        record->next = i + 1 < count ? recordAt(i + 1) : nullptr;
    }
}

}  // namespace orvik
