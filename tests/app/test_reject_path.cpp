#include "app/reject_path.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::TempDir;

TEST(ResolveRejectPath, IsTakenFromTheInputFilesFolderUnlessItIsAbsolute) {
    TempDir dir;
    const std::string input = dir.Write("bookings.txt", "");
    // The folder as the input file's name gives it, with this platform's separator.
    const std::string folder = input.substr(0, input.size() - std::string("bookings.txt").size());
    const std::string settings = dir.Write("VEXLO00P.TXT", "");
    EXPECT_EQ(ResolveRejectPath("rejects.txt", input, settings), folder + "rejects.txt");
    EXPECT_EQ(ResolveRejectPath("sub/rejects.txt", input, settings), folder + "sub/rejects.txt");
    const std::string elsewhere = (dir.Path() / "elsewhere.txt").string();
    EXPECT_EQ(ResolveRejectPath(elsewhere, input, settings), elsewhere);
}

TEST(ResolveRejectPath, NeverNamesTheInputFileOrTheParameterFile) {
    TempDir dir;
    const std::string input = dir.Write("bookings.txt", "");
    const std::string settings = dir.Write("VEXLO00P.TXT", "");
    for (const std::string& named :
         {std::string("bookings.txt"), std::string("./bookings.txt"), input,
          std::string("VEXLO00P.TXT"), std::string("sub/../VEXLO00P.TXT")}) {
        std::filesystem::create_directories(dir.Path() / "sub");
        EXPECT_EQ(ResolveRejectPath(named, input, settings), std::nullopt) << named;
    }
}

}  // namespace
}  // namespace zubk
