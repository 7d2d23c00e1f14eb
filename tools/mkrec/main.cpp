// orvik-mkrec: writes a generated recording tree (see --help).
#include <cstdio>
#include <cstring>
#include <string>

#include "orvik_version.h"
#include "testing/recording/recording_options.h"
#include "testing/recording/recording_writer.h"

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(orvik::kRecordingUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvik-mkrec %s\n", orvik::kVersion);
        return 0;
    }
    orvik::RecordingOptions options;
    std::string error;
    if (!orvik::ParseRecordingOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "orvik-mkrec: %s\n%s", error.c_str(), orvik::kRecordingUsage);
        return 2;
    }
    orvik::RecordingSummary summary;
    if (!orvik::WriteRecording(options, summary, error)) {
        std::fprintf(stderr, "orvik-mkrec: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %d folders, %lld frames of %d x %d\n", options.output.c_str(), summary.folders,
                static_cast<long long>(summary.frames), options.width, options.height);
    return 0;
}
