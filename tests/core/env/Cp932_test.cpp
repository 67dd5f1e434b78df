#include "env/Cp932.h"

#include <gtest/gtest.h>

namespace kondra {
namespace {

TEST(Cp932, EncodesTheProgramsSymbols) {
  struct Case {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"№", "\x87\x82"}, {"℃", "\x81\x8E"}, {"ﾟ", "\xDF"}, {"～", "\x81\x60"},
      {"ABC", "ABC"},    {"\\", "\\"},       {"㎡", "\x87\x75"},
  };
  for (const auto& c : cases) {
    std::string out;
    ASSERT_TRUE(ToCp932(c.utf8, out)) << c.utf8;
    EXPECT_EQ(out, c.bytes) << c.utf8;
    std::string back;
    ASSERT_TRUE(FromCp932(out, back));
    EXPECT_EQ(back, c.utf8);
  }
}

TEST(Cp932, RefusesWhatItCannotEncodeAndNamesIt) {
  std::string out = "stale", bad;
  EXPECT_FALSE(ToCp932("壁😀体", out, &bad));
  EXPECT_EQ(bad, "😀");
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(IsCp932Text("é"));
  EXPECT_TRUE(IsCp932Text("グラスウール"));
}

TEST(Cp932, RefusesBytesThatAreNotShiftJis) {
  std::string out;
  std::size_t at = 99;
  EXPECT_FALSE(FromCp932("ab\x81", out, &at));  // a lead byte with nothing after it
  EXPECT_FALSE(FromCp932("ab\xFF", out, &at));
  EXPECT_EQ(at, 2u);
  // UTF-8 text read as if it were CP932 either fails or decodes to other
  // characters; it never silently gives back the same text.
  std::string utf8 = "材料", decoded;
  EXPECT_FALSE(FromCp932(utf8, decoded) && decoded == utf8);
}

TEST(Cp932, WidthsCountShiftJisBytes) {
  EXPECT_EQ(MBWidth(""), 0);
  EXPECT_EQ(MBWidth("abc"), 3);
  EXPECT_EQ(MBWidth("ｸﾘｱｰ"), 4);  // half-width katakana: one byte each
  EXPECT_EQ(MBWidth("漢字"), 4);
  EXPECT_EQ(MBWidth("№1102"), 6);
  EXPECT_EQ(MBWidth("グラスウール１０Ｋ"), 18);
}

TEST(Cp932, CutsNeverSplitACharacter) {
  EXPECT_EQ(CutMB("ab漢字", 3), "ab");
  EXPECT_EQ(CutMB("ab漢字", 4), "ab漢");
  EXPECT_EQ(FitRight("ab漢字", 3), "ab ");
  EXPECT_EQ(PadRight("漢", 4), "漢  ");
  EXPECT_EQ(PadLeft("漢", 4), "  漢");
  EXPECT_EQ(PadRight("longer", 3), "longer");
  // A name of ten kanji fills a 20-byte field exactly.
  EXPECT_EQ(MBWidth(FitRight("一二三四五六七八九十", 20)), 20);
  EXPECT_EQ(FitRight("一二三四五六七八九十", 20), "一二三四五六七八九十");
}

TEST(Cp932, SlicesByByteColumns) {
  const std::string line = "№1102<VV8>  漢字x";
  EXPECT_EQ(SliceMB(line, 0, 6), "№1102");
  EXPECT_EQ(SliceMB(line, 6, 5), "<VV8>");
  EXPECT_EQ(SliceMB(line, 13, 4), "漢字");
  EXPECT_EQ(SliceMB(line, 14, 4), "字x");  // the straddling first character is left out
  EXPECT_EQ(SliceMB(line, 40, 4), "");
}

}  // namespace
}  // namespace kondra
