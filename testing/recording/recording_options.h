// What a generated recording holds: how many date folders from which hour, how long each
// runs, the frame rate and picture size, optional gaps, the folder suffix and the quality.
#pragma once

#include <cstdint>
#include <string>

namespace orvik {

struct RecordingOptions {
    std::string output = "demo-recording";
    int folders = 3;
    std::int32_t start = 24061509;  // YYMMDDHH of the first folder; each next one an hour on
    int seconds = 120;              // each folder spans this long from the top of its hour
    int rate = 5;                   // frames per second
    int width = 640;
    int height = 480;
    int gapEvery = 0;             // after every gapEvery seconds recorded (0: no gaps) ...
    int gapSeconds = 0;           // ... nothing is recorded for gapSeconds
    std::string suffix = "";      // after the eight digits of each folder name
    std::string prefix = "CAM1";  // the four characters before the time in each frame name
    int quality = 75;
};

// Reads --output DIR, --folders N, --start YYMMDDHH, --seconds S, --rate R, --width W,
// --height H, --gap EVERY:LENGTH (seconds), --suffix TEXT, --prefix XXXX, --quality Q.
// False with a message in error for an unknown option or a value out of range.
bool ParseRecordingOptions(int argc, const char* const* argv, RecordingOptions& options,
                           std::string& error);

extern const char kRecordingUsage[];

}  // namespace orvik
