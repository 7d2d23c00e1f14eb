#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/read_only_file.h"
#include "testing/support/temp_tree.h"

namespace orvik {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
    }
    return bytes;
}

TEST(ReadOnlyFile, ReadsAWholeFileThatFitsExactly) {
    test::TempTree tree;
    const std::vector<std::uint8_t> want = Pattern(70000);  // more than one read may return
    tree.WriteFile("frame.jpg", want);
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(tree.Path("frame.jpg").c_str()));
    EXPECT_EQ(file.Size(), want.size());
    std::vector<std::uint8_t> got(want.size());
    ASSERT_TRUE(file.ReadAll(got.data(), got.size()));
    EXPECT_EQ(got, want);
}

TEST(ReadOnlyFile, RefusesAFileLargerThanTheBufferWithoutTouchingIt) {
    test::TempTree tree;
    tree.WriteFile("big", Pattern(101));
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(tree.Path("big").c_str()));
    std::vector<std::uint8_t> buffer(101, 0xEE);
    EXPECT_FALSE(file.ReadAll(buffer.data(), 100));
    EXPECT_TRUE(
        std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xEE; }));
}

TEST(ReadOnlyFile, ReadsAnEmptyFile) {
    test::TempTree tree;
    tree.WriteFile("empty", 0);
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(tree.Path("empty").c_str()));
    EXPECT_EQ(file.Size(), 0u);
    std::uint8_t unused = 0;
    EXPECT_TRUE(file.ReadAll(&unused, 0));
}

TEST(ReadOnlyFile, MatchesTheLastNameWithoutRegardToCase) {
    test::TempTree tree;
    tree.WriteFile("Rec/cam1123456.jpg", Pattern(3));
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(tree.Path("Rec/CAM1123456.JPG").c_str()));
    EXPECT_EQ(file.Size(), 3u);
    // Only the last name is matched that way; the folders are spelt as the listing gave them.
    EXPECT_FALSE(file.Open(tree.Path("REC/cam1123456.jpg").c_str()));
    EXPECT_EQ(errno, ENOENT);
}

TEST(ReadOnlyFile, PrefersTheExactNameThenTheFirstInListingOrder) {
    test::TempTree tree;
    tree.WriteFile("x.jpg", Pattern(1));
    tree.WriteFile("X.JPG", Pattern(2));
    tree.WriteFile("x.JPG", Pattern(3));
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(tree.Path("x.JPG").c_str()));
    EXPECT_EQ(file.Size(), 3u);
    ASSERT_TRUE(file.Open(tree.Path("X.jpg").c_str()));
    EXPECT_EQ(file.Size(), 2u) << "X.JPG sorts before x.JPG and x.jpg";
}

TEST(ReadOnlyFile, RefusesWhatIsNotAnExistingRegularFile) {
    test::TempTree tree;
    tree.MakeFolder("folder");
    ASSERT_EQ(mkfifo(tree.Path("fifo").c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string path;
        int wantErrno;
    };
    const Case cases[] = {
        {"missing", tree.Path("missing.jpg"), ENOENT},
        {"missing folder", tree.Path("none/x.jpg"), ENOENT},
        {"empty path", "", ENOENT},
        {"trailing separator", tree.Path("missing/"), ENOENT},
        {"a folder", tree.Path("folder"), EISDIR},
        {"a FIFO, without waiting for a writer", tree.Path("fifo"), EINVAL},
    };
    for (const Case& c : cases) {
        ReadOnlyFile file;
        errno = 0;
        EXPECT_FALSE(file.Open(c.path.c_str())) << c.name;
        EXPECT_EQ(errno, c.wantErrno) << c.name;
        std::uint8_t byte = 0;
        EXPECT_FALSE(file.ReadAll(&byte, 1)) << c.name << ": nothing open to read";
    }
}

}  // namespace
}  // namespace orvik
