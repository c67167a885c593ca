#include "common/gbk.h"

#include <gtest/gtest.h>

namespace quillet::gbk {
namespace {

TEST(Gbk, UpperFoldsAsciiButNeverATrailByte) {
  // A two-byte character whose trail byte is the ASCII letter a.
  const std::string lead_a = std::string("\xB0\x61", 2);  // trail byte 'a'
  EXPECT_EQ(ToUpper("ab" + lead_a + "c"), "AB" + lead_a + "C");
  EXPECT_FALSE(EqualsNoCase(std::string("\xB0\x61", 2), std::string("\xB0\x41", 2)));
  EXPECT_TRUE(EqualsNoCase("c:\\SRC\\prog.bas", "C:\\Src\\Prog.BAS"));
  EXPECT_FALSE(EqualsNoCase("ab", "abc"));
}

TEST(Gbk, LeadBytesAre0x81To0xFE) {
  EXPECT_FALSE(IsLeadByte(0x7F));
  EXPECT_FALSE(IsLeadByte(0x80));  // the euro sign is one byte in code page 936
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0xFE));
  EXPECT_FALSE(IsLeadByte(0xFF));
}

}  // namespace
}  // namespace quillet::gbk
