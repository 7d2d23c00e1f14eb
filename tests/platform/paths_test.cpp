// The folder chooser's form of a typed folder path: whole, resolved by names, with no
// trailing separator, so that the scan sees a date folder's own name last.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/paths.h"

namespace orvik {
namespace {

std::string CurrentFolder() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

TEST(AbsoluteFolderPath, GivesTheChoosersFormOfTypedPaths) {
    const std::string here = CurrentFolder();
    ASSERT_FALSE(here.empty());
    struct Case {
        std::string typed;
        std::string want;
    };
    const Case cases[] = {
        {"/rec/24061509", "/rec/24061509"},
        {"/rec/24061509/", "/rec/24061509"},   // a shell's completion adds the separator
        {"/rec/24061509//", "/rec/24061509"},  //
        {"/rec/./x/../24061509", "/rec/24061509"},
        {"/rec/24061509/..", "/rec"},
        {"/", "/"},
        {"/..", "/"},
        {"demo", here + "/demo"},
        {"demo/24061509/", here + "/demo/24061509"},
        {"./demo/../rec", here + "/rec"},
        {".", here},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AbsoluteFolderPath(c.typed), c.want) << c.typed;
    }
}

}  // namespace
}  // namespace orvik
