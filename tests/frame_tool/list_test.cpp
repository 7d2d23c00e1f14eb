// list: the viewer's scan of a recording, folder by folder in the viewer's order, with the
// viewer's current folder marked; the scan's reports on standard error.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "library/file_manager.h"
#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

// The scan takes files longer than a header and looks at nothing else.
constexpr std::size_t kListedFileSize = 600;

// The folder names and the marked one, as list printed them.
struct Listed {
    std::vector<std::string> names;
    std::string current;
    std::vector<std::string> lines;
};

Listed ParseListing(const std::string& out) {
    Listed listed;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        listed.lines.push_back(line);
        if (line.size() > 2 && (line[0] == '*' || line[0] == ' ') && line[1] == ' ') {
            const std::string name = line.substr(2, line.find("  ", 2) - 2);
            listed.names.push_back(name);
            if (line[0] == '*') {
                listed.current = name;
            }
        }
    }
    return listed;
}

// The same scan run by the viewer's own clip library on the same path.
Listed ScanInViewer(const std::string& path) {
    CMavFileManager manager;
    char buffer[kPathCapacity];
    std::snprintf(buffer, sizeof buffer, "%s", path.c_str());
    Listed listed;
    if (manager.ScanFolderTree(buffer) != 0) {
        return listed;
    }
    for (const auto& folder : manager.Folders().folders) {
        listed.names.emplace_back(folder->name);
    }
    if (const CMavFolder* current = manager.Folders().GetCurrent()) {
        listed.current = current->name;
    }
    return listed;
}

class ListTest : public FrameToolTest {
  protected:
    void Files(const std::string& folder, const std::vector<std::string>& names) const {
        for (const std::string& name : names) {
            tree.WriteFile(folder + "/" + name, kListedFileSize);
        }
    }
    // A tree whose listing order is not the time order, and whose last listed folder
    // name is neither the latest nor the earliest date.
    void MakeMixedTree() const {
        Files("24010112_cam", {FrameName(12, 0, 0)});
        Files("2401011X5", {FrameName(11, 0, 0), FrameName(11, 0, 1)});  // key 2401011
        Files("24010110", {FrameName(10, 0, 0)});
        Files("24010109", {});                                // no frames: dropped
        Files("notes", {FrameName(9, 0, 0)});                 // not a date folder
        tree.WriteFile(FrameName(8, 0, 0), kListedFileSize);  // in the root: ignored
    }
};

TEST_F(ListTest, OrderAndCurrentFolderAreTheViewerScansForEveryFormOfThePath) {
    MakeMixedTree();
    const Listed viewer = ScanInViewer(tree.Root());
    ASSERT_EQ(viewer.names, (std::vector<std::string>{"2401011X5", "24010110", "24010112_cam"}));
    ASSERT_EQ(viewer.current, "2401011X5");
    for (const std::string& path :
         {tree.Root(), tree.Root() + "/", tree.Root() + "/notes/..", tree.Root() + "//."}) {
        const ToolRun run = Run({"list", path});
        EXPECT_EQ(run.exitCode, 0) << path << run.err;
        const Listed listed = ParseListing(run.out);
        EXPECT_EQ(listed.names, viewer.names) << path;
        EXPECT_EQ(listed.current, viewer.current) << path;
        EXPECT_EQ(listed.lines.back(), "3 folders, 4 frames") << path;
    }
}

TEST_F(ListTest, APickedDateFolderListsItsParentWithThePickedFolderCurrent) {
    MakeMixedTree();
    for (const std::string picked : {"24010110", "24010112_cam"}) {
        const Listed viewer = ScanInViewer(tree.Path(picked));
        ASSERT_EQ(viewer.current, picked);
        for (const std::string& path : {tree.Path(picked), tree.Path(picked) + "/"}) {
            const Listed listed = ParseListing(Run({"list", path}).out);
            EXPECT_EQ(listed.names, viewer.names) << path;
            EXPECT_EQ(listed.current, picked) << path;
        }
    }
}

TEST_F(ListTest, ARelativePathIsScannedLikeTheAbsoluteOne) {
    Files("rec/24010110", {FrameName(10, 0, 0)});
    Files("rec/24010111", {FrameName(11, 0, 0)});
    const Listed absolute = ParseListing(Run({"list", tree.Path("rec")}).out);
    for (const std::string path : {"rec", "rec/24010110", "./rec/"}) {
        const ToolRun run = RunInRoot({"list", path});
        EXPECT_EQ(run.exitCode, 0) << path << run.err;
        const Listed listed = ParseListing(run.out);
        EXPECT_EQ(listed.names, absolute.names) << path;
        EXPECT_EQ(listed.current, ScanInViewer(tree.Path(path)).current) << path;
    }
}

TEST_F(ListTest, EachLineGivesDateTimesCountAndTheGapsLongerThan10Seconds) {
    Files("24022912", {FrameName(12, 0, 40, 1), FrameName(12, 0, 0), FrameName(12, 0, 5),
                       FrameName(12, 0, 20), FrameName(12, 0, 30)});
    Files("24030100", {FrameName(0, 0, 0, 50)});
    const ToolRun run = Run({"list", tree.Root()});
    EXPECT_EQ(run.out,
              "  24022912  2024/02/29  12:00:00.00 - 12:00:40.01  5 frames  "
              "gaps 12:00:05.00 (15.00 s), 12:00:30.00 (10.01 s)\n"
              "* 24030100  2024/03/01  00:00:00.50 - 00:00:00.50  1 frames  no gaps\n"
              "2 folders, 6 frames\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(ListTest, AnEmptyRootListsNoFolders) {
    tree.MakeFolder("rec/notes");
    const ToolRun run = Run({"list", tree.Path("rec")});
    EXPECT_EQ(run.out, "0 folders, 0 frames\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(ListTest, APathThatIsNoFolderIsRefused) {
    Files("24010110", {FrameName(10, 0, 0)});
    for (const std::string& path :
         {tree.Path("missing"), tree.Path("24010110/" + FrameName(10, 0, 0))}) {
        const ToolRun run = Run({"list", path});
        EXPECT_EQ(run.exitCode, 1) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_NE(run.err.find("not a folder"), std::string::npos) << run.err;
    }
}

// A root whose path leaves no room for a date folder's name in a path buffer: the scan
// cannot list that folder and reports it, and list passes the report on.
TEST_F(ListTest, TheScansReportsGoToStandardErrorAndGiveExitCode1) {
    // A root of 4088 characters: with "/" and an eight-character name the folder's path
    // passes the 4095 characters a path buffer holds.
    const std::size_t rootLength = kPathCapacity - 8;
    std::string root = tree.Root();
    while (root.size() < rootLength) {
        std::size_t name = std::min<std::size_t>(255, rootLength - root.size() - 1);
        if (rootLength - root.size() - 1 - name == 1) {
            --name;  // a one-character rest would leave an empty name for the last step
        }
        root += "/" + std::string(name, 'd');
        ASSERT_EQ(mkdir(root.c_str(), 0755), 0) << root.size();
    }
    // The date folder's own path is too long to be named whole: make it from its parent.
    const int rootFd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(rootFd, 0);
    ASSERT_EQ(mkdirat(rootFd, "24010110", 0755), 0);

    const ToolRun run = Run({"list", root});
    unlinkat(rootFd, "24010110", AT_REMOVEDIR);
    close(rootFd);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "orvik-frame: File List is Empty failed with error 2: No such file or directory\n");
    EXPECT_EQ(run.out, "0 folders, 0 frames\n");
}

}  // namespace
}  // namespace orvik::test
