#include "db/connection_string.h"

#include <gtest/gtest.h>

namespace zubk {
namespace {

TEST(QuoteConnectionValue, BracesOnlyValuesThatWouldBeMisread) {
    struct Case {
        std::string_view value;
        std::string_view quoted;
    };
    const Case cases[] = {
        {"simple", "simple"},    {"", ""},
        {"pw;x}y", "{pw;x}}y}"}, {"a{b", "{a{b}"},
        {"}}", "{}}}}}"},        {" lead", "{ lead}"},
        {"trail ", "{trail }"},  {"in side", "in side"},
        {"a=b", "a=b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteConnectionValue(c.value), c.quoted) << c.value;
    }
}

TEST(BuildConnectionString, NamesDataSourceUserAndPassword) {
    EXPECT_EQ(BuildConnectionString("kestravon", "zubk", "pw;x}y"),
              "DSN=kestravon;UID=zubk;PWD={pw;x}}y};");
    EXPECT_EQ(BuildConnectionString("kestravon", "", ""), "DSN=kestravon;");
}

}  // namespace
}  // namespace zubk
