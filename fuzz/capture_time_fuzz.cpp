// Capture-time fuzzer: the readers of a date and time, from typed text (--from, --to, the
// viewer's search) and from a frame's names, and the calendar under the moments. Any text
// may come in; what is read must be a real date and time, its moment must give it back,
// and its text must read back as itself. Any broken rule aborts.
//
// Input, read front to back (FuzzInput gives 0 past the end): the hundredths a text without
// them takes, a typed text, a folder name, a file name, each up to a zero byte.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "library/capture_time.h"
#include "library/name_keys.h"
#include "library/record_limits.h"

namespace {

using orvik::CaptureMoment;
using orvik::CaptureTime;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "capture_time_fuzz: %s\n", what);
        std::abort();
    }
}

bool IsReal(const CaptureTime& time) {
    // A real date is one the calendar gives back from its own moment.
    const CaptureTime again = orvik::TimeAtMoment(orvik::MomentOf(time));
    return time.year >= 2000 && time.year <= 2099 && again == time;
}

// A read time: real, and its moment's text reads back as the same time.
void CheckRead(const CaptureTime& time) {
    Check(IsReal(time), "a read time is no real date and time of day");
    const std::string text = orvik::MomentText(orvik::MomentOf(time));
    const std::optional<CaptureTime> again = orvik::ParseCaptureTime(text, 0);
    Check(again.has_value() && *again == time, "a moment's text does not read back");
}

void CheckTyped(const std::string& text, int defaultHundredths) {
    const std::optional<CaptureTime> typed = orvik::ParseCaptureTime(text, defaultHundredths);
    if (!typed) {
        return;
    }
    CheckRead(*typed);
    // Without ".CC" the hundredths given are taken; "YYYY/MM/DD HH:MM:SS" is 19 characters.
    if (text.size() == 19) {
        Check(typed->hundredths == defaultHundredths, "the default hundredths are not taken");
    }
}

// The names' time, when they spell one, is the moment the scan gives the frame; whatever
// they spell, the scan's keys make a moment the calendar turns round.
void CheckNames(const std::string& folder, const std::string& file) {
    const std::int32_t dateKey = orvik::DateKeyOfName(folder);
    const std::int32_t timeKey = orvik::TimeKeyOfName(file);
    const std::optional<CaptureTime> named = orvik::CaptureTimeOfFrame(folder, file);
    if (named) {
        CheckRead(*named);
        Check(orvik::MomentOf(*named) == orvik::MomentOf(dateKey, timeKey),
              "the names' time is not the frame's moment");
    }
    (void)orvik::FrameTimeText(folder.c_str(), timeKey);
    (void)orvik::TimeOfDayText(timeKey);
    if (!orvik::IsDateFolderName(folder) || timeKey < 0) {
        return;  // the scan keeps no such frame
    }
    const CaptureMoment moment = orvik::MomentOf(dateKey, timeKey);
    Check(orvik::MomentOf(orvik::TimeAtMoment(moment)) == moment,
          "a frame's moment does not turn round");
    Check(timeKey <= orvik::kLatestTimeKey, "a time key past the latest a name can give");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvik::fuzz::FuzzInput in(data, size);
    const int defaultHundredths = in.Byte() % 100;
    const std::string typed = in.Text(40);
    const std::string folder = in.Text(40);
    const std::string file = in.Text(40);
    CheckTyped(typed, defaultHundredths);
    CheckNames(folder, file);
    return 0;
}
