#include "platform/path.h"

#include <gtest/gtest.h>

#include "support/platform_behaviour.h"

namespace zubk::platform {
namespace {

TEST(DirectoryPart, EndsAtTheLastSeparatorOfThisPlatform) {
    struct Case {
        std::string_view fileName;
        std::string_view posix;
        std::string_view windows;
    };
    const Case cases[] = {
        {"/data/in/x.txt", "/data/in/", "/data/in/"},
        {"rel/x.txt", "rel/", "rel/"},
        {"x.txt", "", ""},
        {"", "", ""},
        {"dir/", "dir/", "dir/"},
        {"C:\\data\\in\\x.txt", "", "C:\\data\\in\\"},
        {"C:x.txt", "", "C:"},  // the current folder of drive C
        {"\\\\server\\share\\x.txt", "", "\\\\server\\share\\"},
        {"in\\sub/x.txt", "in\\sub/", "in\\sub/"},
        {"in/sub\\x.txt", "in/", "in/sub\\"},
    };
    for (const Case& c : cases) {
        const std::string_view expected =
            testing::kBackslashAndColonSeparateDirectories ? c.windows : c.posix;
        EXPECT_EQ(DirectoryPart(c.fileName), expected) << c.fileName;
    }
}

}  // namespace
}  // namespace zubk::platform
