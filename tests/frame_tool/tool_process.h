// Runs orvik-frame as a separate process and collects what it wrote and how it ended. The
// user's settings store is always pointed at a folder of the caller's choice (empty by
// default), and the user's cache folder at its "cache" folder, so that no test reads the
// settings or the cache of whoever runs it.
#pragma once

#include <string>
#include <vector>

namespace orvik::test {

struct ToolRun {
    int exitCode = -1;  // -1 when the tool did not end normally
    std::string out;    // standard output, bytes as written
    std::string err;    // standard error
};

// configHome: the folder that holds Telmora/Kestrune.conf for the run; workingFolder: where
// the tool starts (empty: where the test runs).
ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& configHome,
                const std::string& workingFolder = {});

}  // namespace orvik::test
