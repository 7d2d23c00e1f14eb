#include "decoder/frame_setup.h"

#include <algorithm>
#include <cstdint>

#include "decoder/decoder_tables.h"

namespace orvik {
namespace {

struct ComponentLayout {
    std::int32_t id;
    std::int32_t h;
    std::int32_t v;
    std::int32_t quantSlot;
};
constexpr ComponentLayout kComponents[] = {{1, 2, 1, 0}, {2, 1, 1, 1}, {3, 1, 1, 1}};
constexpr std::int32_t kHuffmanSlots[] = {0, 1, 1};

// Wide arithmetic narrowed to 32 bits (modulo 2^32), so that no input size overflows.
std::int32_t Narrow(std::int64_t value) {
    return static_cast<std::int32_t>(value);
}

// (a - 1) / b + 1 with division truncating toward zero, as the set-up rules give it.
std::int64_t CeilStep(std::int64_t a, std::int64_t b) {
    return (a - 1) / b + 1;
}

}  // namespace

void SetUpFrame(FrameParams& frame) {
    std::fill(std::begin(frame.hSampling), std::end(frame.hSampling), 0);
    std::fill(std::begin(frame.vSampling), std::end(frame.vSampling), 0);
    std::fill(std::begin(frame.quantSelector), std::end(frame.quantSelector), 0);
    for (const ComponentLayout& c : kComponents) {
        frame.hSampling[c.id] = c.h;
        frame.vSampling[c.id] = c.v;
        frame.quantSelector[c.id] = c.quantSlot;
    }
    frame.maxH =
        std::max(1, *std::max_element(std::begin(frame.hSampling), std::end(frame.hSampling)));
    frame.maxV =
        std::max(1, *std::max_element(std::begin(frame.vSampling), std::end(frame.vSampling)));

    std::int64_t total = 0;
    for (int id = 0; id < kComponentSlots; ++id) {
        if (frame.hSampling[id] == 0) {
            continue;
        }
        if (frame.componentWidth[id] == 0) {
            frame.componentWidth[id] =
                Narrow(CeilStep(std::int64_t{frame.hSampling[id]} * frame.width, frame.maxH));
        }
        if (frame.componentHeight[id] == 0) {
            frame.componentHeight[id] =
                Narrow(CeilStep(std::int64_t{frame.vSampling[id]} * frame.height, frame.maxV));
        }
        frame.planeOffset[id] = Narrow(total);
        total += std::int64_t{frame.componentWidth[id]} * frame.componentHeight[id];
    }
    frame.mcuColumns = Narrow(CeilStep(CeilStep(frame.width, frame.maxH), 8));
    frame.mcuRows = frame.height == 0 ? 0 : Narrow(CeilStep(CeilStep(frame.height, frame.maxV), 8));
}

void SetUpScan(DecoderContext& context) {
    ScanParams& scan = *context.scan;
    const FrameParams& frame = *context.frame;
    scan.componentCount = 3;
    for (int i = 0; i < 3; ++i) {
        scan.componentIds[i] = kComponents[i].id;
        scan.tableSelector[i] = kHuffmanSlots[i];
    }
    scan.mcuColumns = frame.mcuColumns;
    scan.mcuRows = frame.mcuRows;
    context.mcuCount =
        frame.height != 0 ? Narrow(std::int64_t{scan.mcuColumns} * scan.mcuRows) : -1;
    std::fill(std::begin(scan.dcPredictor), std::end(scan.dcPredictor), 0);
}

}  // namespace orvik
