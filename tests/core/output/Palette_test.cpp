#include "output/Palette.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

// A palette file of `lines` lines; colour k is `value(k)` written in the
// seven characters after a six-character line head.
template <typename F>
std::string PaletteText(int lines, F value, const char* eol = "\r\n") {
  std::string text;
  for (int k = 0; k < lines; ++k) {
    char head[16];
    std::snprintf(head, sizeof head, "%4d: ", k);
    std::string field = value(k);
    field.insert(0, field.size() < 7 ? 7 - field.size() : 0, ' ');
    text += head + field + eol;
  }
  return text;
}

std::string Decimal(int v) { return std::to_string(v); }

class PaletteTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    Palette.fill(0);
    PaletteLoadedFrom.clear();
    SetSystemColorHook(nullptr);
    ColorDir = temp.path();
    EnvRow[20] = "TEST.COL";
  }
  void TearDown() override {
    ColorDir.clear();
    EnvRow[20].clear();
    PaletteLoadedFrom.clear();
    SetSystemColorHook(nullptr);
    KondraTest::TearDown();
  }
  void WritePalette(const std::string& name, const std::string& text) { test::WriteBytes(ColorDir + name, text); }
};

TEST_F(PaletteTest, ReadsCharactersSevenToThirteenOfEachLine) {
  // The line head holds digits too; only the field counts, and anything after
  // character 13 is ignored. White needs the hexadecimal form to fit.
  WritePalette("TEST.COL", PaletteText(256, [](int k) {
                 if (k == 15) return std::string("$FFFFFF");
                 if (k == 16) return std::string("   2551234");  // field is "   2551"
                 return Decimal(1000 + k);
               }));
  EXPECT_EQ(ColorOf(0), 1000);
  EXPECT_EQ(ColorOf(9), 1009);
  EXPECT_EQ(ColorOf(15), 0xFFFFFF);
  EXPECT_EQ(ColorOf(16), 2551);
  EXPECT_EQ(ColorOf(255), 1255);
  EXPECT_EQ(PaletteLoadedFrom, ColorDir + "TEST.COL");
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_TRUE(LastStatusMsg.empty());
}

TEST_F(PaletteTest, ColourNumbersNegativeAndLarge) {
  WritePalette("TEST.COL", PaletteText(256, [](int k) { return Decimal(1000 + k); }));
  SetSystemColorHook([](SystemColor which) {
    switch (which) {
      case SystemColor::Desktop:
        return 11;
      case SystemColor::WindowBackground:
        return 22;
      case SystemColor::ButtonFace:
        break;
    }
    return 33;
  });
  struct Case {
    int32_t code, rgb;
  } cases[] = {
      {-1, 1001},  {-3, 1003},  {-15, 1015}, {-16, 33},  {-17, 11},   {-21, 22},   {-31, 33},
      {-254, 33},  {-255, -255}, {256, 256}, {300, 300}, {0xFFFFFF, 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorOf(c.code), c.rgb) << c.code;
  EXPECT_EQ(ColorOf(-3), ColorOf(3));
}

TEST_F(PaletteTest, HeadlessSystemColours) {
  EXPECT_EQ(ColorOf(-16), RgbValue(240, 240, 240));
  EXPECT_EQ(ColorOf(-21), RgbValue(255, 255, 255));
  EXPECT_EQ(ColorOf(-17), RgbValue(0, 128, 128));
}

TEST_F(PaletteTest, RereadOnlyWhenTheFileNameChanges) {
  WritePalette("TEST.COL", PaletteText(256, [](int k) { return Decimal(1000 + k); }));
  WritePalette("OTHER.COL", PaletteText(256, [](int k) { return Decimal(2000 + k); }, "\n"));
  EXPECT_EQ(ColorOf(5), 1005);
  // The same name: the file is not read again.
  WritePalette("TEST.COL", PaletteText(256, [](int k) { return Decimal(3000 + k); }));
  EXPECT_EQ(ColorOf(5), 1005);
  // Another name in the environment: read at the next lookup.
  EnvRow[20] = " OTHER.COL ";
  EXPECT_EQ(ColorOf(5), 2005);
  EXPECT_EQ(PaletteLoadedFrom, ColorDir + "OTHER.COL");
  // Start-up forgets what was read.
  EnvRow[20] = "TEST.COL";
  EXPECT_EQ(ColorOf(5), 3005);
  PaletteLoadedFrom.clear();
  EXPECT_EQ(ColorOf(5), 3005);
}

TEST_F(PaletteTest, MissingFileOrNoNameKeepsThePalette) {
  WritePalette("TEST.COL", PaletteText(256, [](int k) { return Decimal(1000 + k); }));
  EXPECT_EQ(ColorOf(7), 1007);
  EnvRow[20] = "GONE.COL";
  EXPECT_EQ(ColorOf(7), 1007);
  EXPECT_EQ(PaletteLoadedFrom, ColorDir + "TEST.COL");
  EnvRow[20] = "";
  EXPECT_EQ(PaletteFileName(), "");
  EXPECT_EQ(ColorOf(7), 1007);
  EXPECT_TRUE(LastStatusMsg.empty());
}

TEST_F(PaletteTest, ShortFileIsReportedOnceAndLeavesTheRestBlack) {
  Palette.fill(77);
  WritePalette("TEST.COL", PaletteText(20, [](int k) { return Decimal(1000 + k); }));
  EXPECT_EQ(ColorOf(19), 1019);
  EXPECT_EQ(ColorOf(20), 0);
  EXPECT_EQ(ColorOf(255), 0);
  EXPECT_NE(LastStatusMsg.find("TEST.COL"), std::string::npos) << LastStatusMsg;
  EXPECT_NE(LastStatusMsg.find("20"), std::string::npos) << LastStatusMsg;
  // Not repeated at every lookup.
  LastStatusMsg.clear();
  ColorOf(1);
  EXPECT_TRUE(LastStatusMsg.empty());
}

TEST_F(PaletteTest, UnreadableFileIsReportedAndThePaletteKept) {
  WritePalette("TEST.COL", PaletteText(256, [](int k) { return Decimal(1000 + k); }));
  EXPECT_EQ(ColorOf(3), 1003);
  WritePalette("BAD.COL", PaletteText(256, [](int k) { return Decimal(2000 + k); }));
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::Read ? 5 : 0; });
  EnvRow[20] = "BAD.COL";
  EXPECT_EQ(ColorOf(3), 1003);
  EXPECT_NE(LastStatusMsg.find("BAD.COL"), std::string::npos) << LastStatusMsg;
}

TEST_F(PaletteTest, ReadPaletteFileDirectly) {
  WritePalette("X.COL", "short\r\n123456     42\r\n\r\n      -12\r\n");
  std::string error;
  EXPECT_EQ(ReadPaletteFile(ColorDir + "X.COL", &error), 4);
  EXPECT_EQ(Palette[0], 0);
  EXPECT_EQ(Palette[1], 42);
  EXPECT_EQ(Palette[2], 0);
  EXPECT_EQ(Palette[3], -12);
  EXPECT_EQ(ReadPaletteFile(ColorDir + "NONE.COL", &error), -1);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Palette[1], 42);
}

TEST_F(PaletteTest, ShippedPaletteGivesTheDiagramColours) {
  // The factory palette's source text; its colour fields are plain ASCII, as
  // in the installed CP932 file.
  const auto root = std::filesystem::path(KONDRA_FIXTURES).parent_path().parent_path();
  std::string source = fs::FromNative((root / "data/install/DATA/COLOR/KONDRA.COL.txt").string());
  if (!fs::Exists(source)) GTEST_SKIP() << "no factory palette source";
  std::string error;
  ASSERT_EQ(ReadPaletteFile(source, &error), 256) << error;
  EXPECT_EQ(Palette[0], RgbValue(0, 0, 0));
  EXPECT_EQ(Palette[9], RgbValue(255, 0, 0));
  EXPECT_EQ(Palette[10], RgbValue(0, 255, 0));
  EXPECT_EQ(Palette[12], RgbValue(0, 0, 255));
  EXPECT_EQ(Palette[14], RgbValue(0, 255, 255));
  EXPECT_EQ(Palette[15], RgbValue(255, 255, 255));
}

TEST(RgbValue, WindowsByteOrder) {
  constexpr int32_t c = RgbValue(1, 2, 3);
  EXPECT_EQ(c, 0x030201);
  EXPECT_EQ(RedOf(c), 1);
  EXPECT_EQ(GreenOf(c), 2);
  EXPECT_EQ(BlueOf(c), 3);
  EXPECT_EQ(BlueOf(0x7F030201), 3);
}

}  // namespace
}  // namespace kondra
