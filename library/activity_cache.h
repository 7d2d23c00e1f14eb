// The activity of a date folder kept between runs, one file a folder in the user's cache
// folder ($XDG_CACHE_HOME/orvik-view/activity, else ~/.cache/orvik-view/activity), never in
// the recording, which may be read-only. A file holds the key it was made for (the folder's
// frames' names, sizes and modification times, the settings and this file format's
// version), the activities and a checksum; one whose key, length, checksum or values are not
// what is asked for is not trusted, and the folder is measured again. Files are written to a
// temporary name and renamed into place, so a reader never meets half a file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "library/activity.h"
#include "library/recorded_frames.h"
#include "platform/status.h"

namespace orvik {

// The folder the cache files go in; empty when neither XDG_CACHE_HOME (an absolute path)
// nor HOME is set.
std::string ActivityCacheFolder();

// The key of a folder's frames (as listed now: each path, size and modification time) and
// the settings they are measured with. A frame that cannot be looked at is keyed by that.
std::uint64_t ActivityCacheKey(std::span<const RecordedFrame> frames,
                               const ActivitySettings& settings);

// The cache file of the folder at folderPath for these settings, in cacheFolder.
std::string ActivityCachePath(const std::string& cacheFolder, const std::string& folderPath,
                              const ActivitySettings& settings);

// The activities stored at path for key, when there are exactly frames of them and the
// file is whole; none otherwise.
std::optional<std::vector<Activity>> LoadActivity(const std::string& path, std::uint64_t key,
                                                  std::size_t frames);

// Stores them for key at path, making its folder when missing.
Status StoreActivity(const std::string& path, std::uint64_t key,
                     std::span<const Activity> activity);

}  // namespace orvik
