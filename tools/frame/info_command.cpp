// orvik-frame info: one line per frame file with what its header says and whether the
// viewer would show it.
#include <cstdio>
#include <string>

#include "library/frame_reader.h"
#include "tools/frame/commands.h"

namespace orvik {

int RunInfo(const Options& options) {
    // The end test needs the planes only; colour does not matter here.
    FrameReader reader(std::nullopt, PictureAdjustments{});
    bool allShown = true;
    for (const std::string& path : options.inputs) {
        const FrameFacts facts = reader.Read(path.c_str(), DecodeDepth::kPlanes);
        std::string line = path + ":";
        if (facts.refusal != FrameRefusal::kCannotOpen &&
            facts.refusal != FrameRefusal::kUnreadable) {
            line += " " + std::to_string(facts.fileSize) + " bytes,";
        }
        if (facts.headerRead) {
            line += " " + std::to_string(facts.size.width) + "x" +
                    std::to_string(facts.size.height) + ", quantisers " +
                    std::to_string(facts.lumaQuantiser) + " and " +
                    std::to_string(facts.chromaQuantiser) + ",";
        }
        if (facts.refusal == FrameRefusal::kNone) {
            line += " ok";
        } else {
            line += " refused: " + RefusalText(facts);
            allShown = false;
        }
        std::printf("%s\n", line.c_str());
    }
    return allShown ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
