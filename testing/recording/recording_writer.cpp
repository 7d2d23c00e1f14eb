#include "testing/recording/recording_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "library/time_of_day.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/recording/recording_clock.h"
#include "testing/recording/recording_picture.h"

namespace orvik {
namespace {

struct FrameJob {
    std::int32_t dateKey;
    std::int32_t timeKey;  // of day
    std::string path;
};

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written =
        file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    if (file != nullptr && std::fclose(file) != 0 && written) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    if (!written) {
        error = path + ": " + std::strerror(writeError);
    }
    return written;
}

// The folders, made on disk, and every frame to encode.
bool PlanRecording(const RecordingOptions& options, std::vector<FrameJob>& jobs,
                   std::string& error) {
    const std::vector<std::int32_t> times = FolderFrameTimes(options);
    for (int f = 0; f < options.folders; ++f) {
        const std::int32_t dateKey = AddHours(options.start, f);
        const std::filesystem::path folder =
            std::filesystem::path(options.output) / RecordingFolderName(options, f);
        std::error_code made;
        std::filesystem::create_directories(folder, made);
        if (made) {
            error = folder.string() + ": " + made.message();
            return false;
        }
        const std::int32_t hourStart = dateKey % 100 * kHundredthsPerHour;
        for (const std::int32_t t : times) {
            const std::int32_t timeKey = hourStart + t;
            jobs.push_back(FrameJob{
                dateKey, timeKey, (folder / RecordingFrameName(options.prefix, timeKey)).string()});
        }
    }
    return true;
}

}  // namespace

std::string RecordingFolderName(const RecordingOptions& options, int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08d", AddHours(options.start, index));
    return digits + options.suffix;
}

std::string RecordingFrameName(const std::string& prefix, std::int32_t timeKey) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%04d", timeKey / kHundredthsPerHour,
                  timeKey / kHundredthsPerMinute % 60, timeKey % kHundredthsPerMinute);
    return prefix + time + ".JPG";
}

bool WriteRecording(const RecordingOptions& options, RecordingSummary& summary,
                    std::string& error) {
    std::vector<FrameJob> jobs;
    if (!PlanRecording(options, jobs, error)) {
        return false;
    }
    // Encoding is nearly all the time (about 2 ms a 640 x 480 frame): one worker a processor.
    std::atomic<std::size_t> nextJob{0};
    std::atomic<bool> failed{false};
    std::mutex errorLock;
    auto work = [&] {
        std::vector<std::uint8_t> rgb;
        for (std::size_t i = nextJob++; i < jobs.size() && !failed; i = nextJob++) {
            const FrameJob& job = jobs[i];
            DrawRecordingPicture(job.dateKey, job.timeKey, options.width, options.height, rgb);
            const std::vector<std::uint8_t> frame =
                EncodeFrame(rgb.data(), options.width, options.height, options.quality);
            std::string writeError;
            if (!WriteFileBytes(job.path, frame, writeError)) {
                const std::lock_guard<std::mutex> hold(errorLock);
                if (!failed.exchange(true)) {
                    error = writeError;
                }
            }
        }
    };
    std::vector<std::thread> workers;
    const unsigned count = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned w = 0; w < count; ++w) {
        workers.emplace_back(work);
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    summary.folders = options.folders;
    summary.frames = static_cast<std::int64_t>(jobs.size());
    return !failed;
}

}  // namespace orvik
