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
constexpr std::int32_t kSamplePrecision = 8;
constexpr std::int64_t kMaxSize = 65535;
constexpr std::int32_t kMaxScanComponents = 4;
constexpr std::int32_t kMaxSampling = 15;
constexpr std::int32_t kMaxPointTransform = 14;

// Wide arithmetic narrowed to 32 bits (modulo 2^32), so that no input size overflows.
std::int32_t Narrow(std::int64_t value) {
    return static_cast<std::int32_t>(value);
}

// (a - 1) / b + 1 with division truncating toward zero, as the set-up rules give it.
std::int64_t CeilStep(std::int64_t a, std::int64_t b) {
    return (a - 1) / b + 1;
}

bool InRange(std::int64_t value, std::int64_t low, std::int64_t high) {
    return value >= low && value <= high;
}

}  // namespace

void SetUpFrame(FrameParams& frame) {
    frame.precision = kSamplePrecision;
    std::fill(std::begin(frame.hSampling), std::end(frame.hSampling), 0);
    std::fill(std::begin(frame.vSampling), std::end(frame.vSampling), 0);
    std::fill(std::begin(frame.quantSelector), std::end(frame.quantSelector), 0);
    frame.componentCount = 3;
    for (int i = 0; i < 3; ++i) {
        const ComponentLayout& c = kComponents[i];
        frame.componentIds[i] = c.id;
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

void ValidateParameters(const FrameParams& frame, const ScanParams& scan) {
    decoderStatus = 0;
    auto check = [](bool ok) {
        if (!ok) {
            decoderStatus = 1;
        }
    };
    check(InRange(frame.width, 0, kMaxSize));                    // "Bad Image Width"
    check(InRange(frame.height, 0, kMaxSize));                   // "Bad Image Height"
    check(InRange(scan.componentCount, 1, kMaxScanComponents));  // "Bad Number of Components"
    const int count = std::clamp(scan.componentCount, 0, kComponentSlots);
    for (int i = 0; i < count; ++i) {
        const int id = scan.componentIds[i] & (kComponentSlots - 1);  // identifiers are 0..15
        check(InRange(frame.componentWidth[id], 0, kMaxSize));        // "Bad Frame Width"
        check(InRange(frame.componentHeight[id], 0, kMaxSize));       // "Bad Frame Height"
        check(InRange(frame.hSampling[id], 1, kMaxSampling));         // "Bad Horizontal Frequency"
        check(InRange(frame.vSampling[id], 1, kMaxSampling));         // "Bad Vertical Frequency"
    }
    if (scan.approxLow != 0) {
        check(InRange(scan.approxLow, 0, kMaxPointTransform));  // "Bad Point Transform"
    }
}

void SetUpScan(DecoderContext& context) {
    ScanParams& scan = *context.scan;
    const FrameParams& frame = *context.frame;
    scan.componentCount = 3;
    for (int i = 0; i < 3; ++i) {
        scan.componentIds[i] = kComponents[i].id;
        scan.tableSelector[i] = kHuffmanSlots[i];
    }
    scan.spectralStart = 0;
    scan.spectralEnd = 63;
    scan.approxHigh = 0;
    scan.approxLow = 0;
    ValidateParameters(frame, scan);
    scan.mcuColumns = frame.mcuColumns;
    scan.mcuRows = frame.mcuRows;
    context.mcuCount =
        frame.height != 0 ? Narrow(std::int64_t{scan.mcuColumns} * scan.mcuRows) : -1;
    std::fill(std::begin(scan.dcPredictor), std::end(scan.dcPredictor), 0);
}

}  // namespace orvik
