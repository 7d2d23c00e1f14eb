// A folder's activity kept in the user's cache folder: reused while the folder is unchanged,
// measured again when a frame changes or the stored file is damaged, truncated or of another
// version, never written inside the recording, and measured all the same when the cache
// cannot be written.
#include <gtest/gtest.h>

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <stop_token>
#include <string>
#include <vector>

#include "library/activity_cache.h"
#include "library/folder_activity.h"
#include "tests/library/activity_scenes.h"

namespace orvik {
namespace {

// The frames of a box crossing a noisy still scene, so that stored activity is not all 0.
test::GreyPicture Scene(int i) {
    test::GreyPicture p = test::StillScene(320, 240);
    test::AddNoise(p, static_cast<std::uint32_t>(i), 8);
    test::DrawBox(p, 20 * i, 100, 40, 40, 50);
    return p;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(d)) {
            names.insert(entry->d_name);
        }
        closedir(d);
    }
    return names;
}

std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));
}

class ActivityCacheTest : public ::testing::Test {
  protected:
    FolderActivity Run(const std::string& cacheFolder) {
        return ActivityOfFolder(folderPath, frames, {}, cacheFolder, 2);
    }

    test::TempTree recording;
    test::TempTree cache;
    std::vector<RecordedFrame> frames = test::WriteScene(recording, 12, Scene);
    std::string folderPath = recording.Path("24061509");
    std::string cacheFolder = cache.Path("orvik-view/activity");
    std::string cacheFile = ActivityCachePath(cacheFolder, folderPath, {});
};

TEST_F(ActivityCacheTest, StoredActivityIsReusedUntilTheFolderChanges) {
    const std::set<std::string> listed = Names(folderPath);
    const FolderActivity first = Run(cacheFolder);
    EXPECT_FALSE(first.fromCache);
    EXPECT_TRUE(first.stored);
    EXPECT_GT(*std::max_element(first.activity.begin(), first.activity.end()), 0);
    EXPECT_EQ(Names(folderPath), listed);  // nothing written inside the recording

    const FolderActivity again = Run(cacheFolder);
    EXPECT_TRUE(again.fromCache);
    EXPECT_EQ(again.activity, first.activity);

    // Another region is measured and kept apart.
    const ActivitySettings left{PixelRegion{0, 0, 160, 240}};
    EXPECT_FALSE(ActivityOfFolder(folderPath, frames, left, cacheFolder, 1).fromCache);
    EXPECT_TRUE(Run(cacheFolder).fromCache);

    // A frame written again with other content: its size and time change.
    recording.WriteFile("24061509/" + frames[5].path.substr(frames[5].path.rfind('/') + 1),
                        std::vector<std::uint8_t>(700, 1));
    const FolderActivity changed = Run(cacheFolder);
    EXPECT_FALSE(changed.fromCache);
    EXPECT_EQ(changed.activity[5], kNoActivity);
    EXPECT_EQ(changed.refused, 1);
    EXPECT_TRUE(Run(cacheFolder).fromCache);
}

// The damage of one byte's bits flipped; at counts from the end when negative.
std::function<std::vector<char>(std::vector<char>)> Flipped(int at, char bits) {
    return [=](std::vector<char> b) {
        b[at < 0 ? b.size() - static_cast<std::size_t>(-at) : static_cast<std::size_t>(at)] ^= bits;
        return b;
    };
}

TEST_F(ActivityCacheTest, DamagedStoredFilesAreMeasuredAgainAndReplaced) {
    const FolderActivity first = Run(cacheFolder);
    ASSERT_TRUE(first.stored);
    const std::vector<char> whole = Bytes(cacheFile);
    ASSERT_FALSE(whole.empty());
    const struct {
        const char* what;
        std::function<std::vector<char>(std::vector<char>)> damage;
    } damages[] = {
        {"empty", [](std::vector<char>) { return std::vector<char>(); }},
        {"truncated by a byte",
         [](std::vector<char> b) {
             b.pop_back();
             return b;
         }},
        {"a byte longer",
         [](std::vector<char> b) {
             b.push_back(0);
             return b;
         }},
        {"an activity changed", Flipped(26, 0x01)},
        {"another version", Flipped(7, 0x03)},  // 1 becomes 2
        {"another key", Flipped(9, 0x40)},
        {"the checksum changed", Flipped(-1, 0x01)},
    };
    for (const auto& d : damages) {
        SCOPED_TRACE(d.what);
        Write(cacheFile, d.damage(whole));
        const FolderActivity measured = Run(cacheFolder);
        EXPECT_FALSE(measured.fromCache);
        EXPECT_EQ(measured.activity, first.activity);
        EXPECT_EQ(Bytes(cacheFile), whole);
    }
}

TEST_F(ActivityCacheTest, AReadOnlyRecordingOrCacheStillGivesActivity) {
    const std::set<std::string> listed = Names(folderPath);
    ASSERT_EQ(chmod(folderPath.c_str(), 0555), 0);
    const FolderActivity fromReadOnly = Run(cacheFolder);
    chmod(folderPath.c_str(), 0755);
    EXPECT_TRUE(fromReadOnly.stored);
    EXPECT_EQ(Names(folderPath), listed);

    // The cache's folder cannot be made: a file stands where it would go.
    cache.WriteFile("blocked", 10);
    const std::string blocked = cache.Path("blocked/orvik-view/activity");
    const FolderActivity measured = Run(blocked);
    EXPECT_FALSE(measured.stored);
    EXPECT_FALSE(Run(blocked).fromCache);
    EXPECT_EQ(measured.activity, fromReadOnly.activity);
}

TEST_F(ActivityCacheTest, AStoppedFolderIsNotStored) {
    for (const int jobs : {1, 3}) {
        std::stop_source stop;
        const FolderActivity stopped = ActivityOfFolder(
            folderPath, frames, {}, cacheFolder, jobs,
            [&stop](std::size_t done) {
                if (done == 4) {
                    stop.request_stop();
                }
            },
            stop.get_token());
        EXPECT_FALSE(stopped.complete);
        EXPECT_FALSE(stopped.stored);
        EXPECT_EQ(stopped.activity.size(), 4u);
        EXPECT_FALSE(Run(cacheFolder).fromCache);
        std::filesystem::remove(cacheFile);
    }
}

TEST(ActivityCacheFolder, FollowsXdgCacheHomeElseHome) {
    const char* savedXdg = getenv("XDG_CACHE_HOME");
    const char* savedHome = getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const std::string home = savedHome ? savedHome : "";
    const struct {
        const char* xdg;
        const char* home;
        const char* want;
    } cases[] = {
        {"/c", "/h", "/c/orvik-view/activity"},
        {"relative", "/h", "/h/.cache/orvik-view/activity"},
        {nullptr, "/h", "/h/.cache/orvik-view/activity"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        c.xdg ? setenv("XDG_CACHE_HOME", c.xdg, 1) : unsetenv("XDG_CACHE_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(ActivityCacheFolder(), c.want);
    }
    savedXdg ? setenv("XDG_CACHE_HOME", xdg.c_str(), 1) : unsetenv("XDG_CACHE_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

}  // namespace
}  // namespace orvik
