#include "env/Text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>

namespace kondra {
namespace {

TEST(Text, CutsAreTwoByteSafe) {
  EXPECT_EQ(LeftMB("ab漢字", 3), "ab ");  // byte 3 starts a character: 2 bytes and a blank
  EXPECT_EQ(LeftMB("ab漢字", 4), "ab漢");
  EXPECT_EQ(LeftMB("ab", 5), "ab");
  EXPECT_EQ(LeftMB("abc", 0), "");
  EXPECT_EQ(RightMB("漢字ab", 3), "字ab");
  EXPECT_EQ(RightMB("漢字ab", 5), "漢字ab");  // would start on a second byte: one earlier
  EXPECT_EQ(RightMB("          12", 8), "      12");
  auto [head, rest] = SplitAt("ab漢字", 3);
  EXPECT_EQ(head, "ab");
  EXPECT_EQ(rest, "漢字");
}

TEST(Text, SearchAndReplace) {
  EXPECT_TRUE(Contains("", ""));
  EXPECT_TRUE(Contains("", "abc"));
  EXPECT_FALSE(Contains("a", ""));
  EXPECT_TRUE(Contains("字", "漢字"));
  EXPECT_EQ(ReplaceFirst("...", "\\ROOT\\", "C:...CAL\\..."), "C:\\ROOT\\CAL\\...");
  EXPECT_EQ(ReplaceAll("℃", "ﾟC", "℃と℃"), "ﾟCとﾟC");
  EXPECT_EQ(ReplaceAll("a", "aa", "aba"), "aabaa");  // ends even when the replacement holds the text
}

TEST(Text, CharacterSets) {
  EXPECT_TRUE(AllCharsIn("", "0..9"));
  EXPECT_TRUE(AllCharsIn("0129", "0..9"));
  EXPECT_FALSE(AllCharsIn("12a", "0..9"));
  EXPECT_TRUE(AnyCharIn("ab*c", "*?\\"));
  EXPECT_FALSE(AnyCharIn("abc", "*?\\"));
  EXPECT_EQ(CountCharsIn("1+2*3-4=", "+-*/="), 4);
  EXPECT_FALSE(AllCharsIn("１２", "0..9"));  // full-width digits are other characters
}

TEST(Text, CaseBlanksAndTags) {
  EXPECT_TRUE(HasTwoByte("aあ"));
  EXPECT_FALSE(HasTwoByte("abｸﾘｱｰ"));
  EXPECT_EQ(UpperAscii("ab.kdr漢"), "AB.KDR漢");
  EXPECT_EQ(TrimBoth("  a b  "), "a b");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(StripTag("123:abc"), "abc");
  EXPECT_EQ(StripTag("1:ab"), "1:ab");
  EXPECT_EQ(StripTag("漢:ab"), "ab");  // the ":" stands at byte 3
}

TEST(Text, OverwriteAt) {
  EXPECT_EQ(OverwriteAt(2, "XY", "abcde"), "aXYde");
  EXPECT_EQ(OverwriteAt(4, "XYZ", "abcde"), "abcXYZ");
  EXPECT_EQ(OverwriteAt(0, "X", "abc"), "abc");
  EXPECT_EQ(OverwriteAt(4, "X", "abc"), "abc");
  EXPECT_EQ(OverwriteAt(2, "X", "a漢字"), "aX 字");  // half a character overwritten: the rest is a blank
}

TEST(Text, NumberReading) {
  struct IntCase {
    const char* text;
    int64_t value;
  } ints[] = {
      {"12a", 12}, {"  -7", -7}, {"1,234", 1234}, {"", 0}, {"abc", 0}, {"$FF", 255},
      {"X1f", 31}, {"0x10", 16}, {"+5  ", 5},     {"99999999999999999999999", INT64_MAX},
  };
  for (const auto& c : ints) EXPECT_EQ(TextToInt(c.text), c.value) << c.text;

  struct FloatCase {
    const char* text;
    double value;
    int decimals;
  } floats[] = {
      {"1,234.5", 1234.5, 1}, {"     4.1", 4.1, 1}, {"15.00", 15.0, 2}, {"57", 57.0, 0}, {"", 0.0, 0},
      {"-0.5e2", -50.0, 3},   {"inf", 0.0, 0},      {"  .25 ", 0.25, 2},
  };
  for (const auto& c : floats) {
    EXPECT_DOUBLE_EQ(TextToFloat(c.text), c.value) << c.text;
    EXPECT_EQ(DecimalsOf(c.text), c.decimals) << c.text;
  }
  EXPECT_EQ(TextToSingle("1e300"), FLT_MAX);
  EXPECT_EQ(ClampToInt32(TextToInt("-99999999999")), INT32_MIN);
}

// A field the check lets through reads as what it shows, and every field that
// reads wholly as a number passes the check.
TEST(Text, WholeNumberTexts) {
  struct Case {
    const char* text;
    bool integer;
    bool number;
  } cases[] = {
      {"1,234.5", false, true}, {" 1.0E1", false, true}, {"-0.5e-2", false, true}, {"  .25 ", false, true},
      {"+7", false, true},      {"9999.", false, true},  {"12a", false, false},    {"1.5.", false, false},
      {"1e", false, false},     {"-", false, false},     {"", false, false},       {"inf", false, false},
      {"1e999", false, false},  {"12.O", false, false},  {" 126", true, true},     {"1,000", true, true},
      {"$1F", true, true},      {"-3", true, true},      {"1.5", true, false},     {"12a", true, false},
      {"$", true, false},       {"+", true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsNumberText(c.text, c.integer), c.number) << c.text << (c.integer ? " (integer)" : "");
  EXPECT_DOUBLE_EQ(TextToFloat(" 1.0E1"), 10.0);
}

}  // namespace
}  // namespace kondra
