#include "output/DiagramMetafile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "EmfRecording.h"
#include "calc/Engine.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "output/Draw.h"
#include "output/EmfPlayer.h"
#include "output/Metafile.h"
#include "output/Palette.h"
#include "output/RecordingCanvas.h"
#include "support/TestEnv.h"

namespace kondra {

namespace {

using Kind = DrawOp::Kind;

class DiagramMetafileTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    EnvRow[20].clear();
    for (int k = 0; k < 256; ++k) Palette[k] = RgbValue(k, 255 - k, (k * 7) & 0xFF);
    looks[2] = {3, 4};
    looks[3] = {13, 7};
    looks[4] = {8, 0};
  }
  void TearDown() override {
    Palette.fill(0);
    SetMetafileScreen(EmfDevice{});
    KondraTest::TearDown();
  }

  // The timber-frame wall of the worked example.
  void Calculate(bool vertical) {
    ResetCalcState();
    SetSideCond(1, 0, 80);
    SetSideCond(2, 20, 60);
    SetLayer(1, "外気側α", 0, 0, 0.05f, 0, 0.001f);
    SetLayer(2, "構造用合板", 12, 0.14f, 0, 0.0016f, 0);
    SetLayer(3, "グラスウール", 100, 0.04f, 0, 0.1f, 0);
    SetLayer(4, "石膏ボード", 12, 0.19f, 0, 0.007f, 0);
    SetLayer(5, "室内側α", 0, 0, 0.125f, 0, 0.001f);
    DeriveLayers();
    Calc.PartIndex = 1;
    Calc.PartVertical = vertical;
    ASSERT_TRUE(CheckInput().ok);
    ASSERT_FALSE(PrepareCumulative());
    RunEngine();
    Calc.Calculated = true;
  }

  LayerLooks looks{};
};

// The metafile holds the very drawing the screen shows: every text, box,
// polygon and line of the recording canvas comes back from the metafile at
// the same place and in the same colour.
TEST_F(DiagramMetafileTest, MetafileHoldsTheSameDrawingAsTheScreen) {
  for (bool vertical : {true, false}) {
    Calculate(vertical);
    for (int mode = 0; mode <= 2; ++mode) {
      SCOPED_TRACE(testing::Message() << (vertical ? "wall" : "floor") << " mode " << mode);
      RecordingCanvas screen;
      FillBox(screen, 0, 0, kPictureWidth, kPictureHeight, kColorBackground, 0);
      DrawDisplayPicture(screen, mode, looks);
      test::RecordingTarget played;
      ASSERT_TRUE(PlayMetafile(DiagramMetafile(mode, looks), played));

      std::vector<std::string> texts;
      for (const EmfPlayText& t : played.texts) texts.push_back(t.text);
      EXPECT_EQ(texts, screen.Texts());
      std::vector<DrawOp> textOps = screen.OfKind(Kind::Text);
      for (std::size_t i = 0; i < textOps.size() && i < played.texts.size(); ++i) {
        EXPECT_EQ(played.texts[i].origin.x, textOps[i].points[0].x);
        EXPECT_EQ(played.texts[i].origin.y, textOps[i].points[0].y);
        EXPECT_EQ(played.texts[i].color, textOps[i].font.color);
        EXPECT_EQ(played.texts[i].font.face, textOps[i].font.name);
      }

      // Boxes and polygons, in drawing order.
      std::vector<DrawOp> fills;
      for (const DrawOp& op : screen.ops)
        if ((op.kind == Kind::FillRect || op.kind == Kind::Polygon) && op.brush.style != BrushStyle::Clear)
          fills.push_back(op);
      ASSERT_EQ(played.fills.size(), fills.size());
      for (std::size_t i = 0; i < fills.size(); ++i) {
        const auto& poly = played.fills[i].polygons[0];
        EXPECT_EQ(played.fills[i].brush.color, fills[i].brush.color & 0xFFFFFF) << i;
        if (fills[i].kind == Kind::FillRect) {
          TPoint a = fills[i].points[0], b = fills[i].points[1];
          EXPECT_EQ(poly[0].x, std::min(a.x, b.x)) << i;
          EXPECT_EQ(poly[0].y, std::min(a.y, b.y)) << i;
          EXPECT_EQ(poly[2].x, std::max(a.x, b.x)) << i;
          EXPECT_EQ(poly[2].y, std::max(a.y, b.y)) << i;
        } else {
          ASSERT_EQ(poly.size(), fills[i].points.size()) << i;
          for (std::size_t k = 0; k < poly.size(); ++k) {
            EXPECT_EQ(poly[k].x, fills[i].points[k].x);
            EXPECT_EQ(poly[k].y, fills[i].points[k].y);
          }
        }
      }

      // Lines and the outlines of polygons, through the pixel centres.
      std::vector<DrawOp> strokes;
      for (const DrawOp& op : screen.ops)
        if (op.kind == Kind::Line || op.kind == Kind::Polyline || op.kind == Kind::Polygon) strokes.push_back(op);
      ASSERT_EQ(played.strokes.size(), strokes.size());
      for (std::size_t i = 0; i < strokes.size(); ++i) {
        const auto& line = played.strokes[i].lines[0];
        EXPECT_EQ(played.strokes[i].pen.color, strokes[i].pen.color & 0xFFFFFF) << i;
        ASSERT_GE(line.size(), strokes[i].points.size()) << i;
        for (std::size_t k = 0; k < strokes[i].points.size(); ++k) {
          EXPECT_EQ(line[k].x, strokes[i].points[k].x + 0.5) << i;
          EXPECT_EQ(line[k].y, strokes[i].points[k].y + 0.5) << i;
        }
      }
    }
  }
}

TEST_F(DiagramMetafileTest, ReportPicturesAreWrittenForTheScreen) {
  Calculate(true);
  SetMetafileScreen(EmfDevice{1600, 900, 120, 120});
  std::string error;
  ASSERT_TRUE(WriteReportPictures(temp.path(), looks, &error)) << error;
  const char* titles[] = {"【層構成図】", "【結露線図】 厚さ", "【結露線図】 透湿抵抗"};
  for (int n = 0; n <= 2; ++n) {
    std::string path = temp.path() + "Kondra(" + std::to_string(n) + ").EMF";
    EXPECT_EQ(ReportPictureName(temp.path(), n), path);
    std::optional<EmfHeader> h = ReadEmfHeader(test::ReadBytes(path));
    ASSERT_TRUE(h) << n;
    EXPECT_EQ(h->description, std::string("Kondra/") + titles[n]);
    EXPECT_EQ(h->frameRight, 2963);  // 140 × 2540 / 120
    EXPECT_EQ(h->frameBottom, 3006);
    EXPECT_EQ(h->deviceWidthPixels, 1600);
    EXPECT_EQ(h->WidthAt(120), 140);
    EXPECT_EQ(h->HeightAt(120), 142);
  }
  // For another resolution when asked.
  std::optional<EmfHeader> at192 = ReadEmfHeader(DiagramMetafile(1, looks, Calc, 192));
  EXPECT_EQ(at192->frameRight, 1852);
  EXPECT_EQ(at192->frameBottom, 1879);
  // Fonts have explicit widths.
  test::RecordingTarget played;
  PlayMetafile(DiagramMetafile(0, looks), played);
  ASSERT_FALSE(played.texts.empty());
  for (const EmfPlayText& t : played.texts) EXPECT_GT(t.font.width, 0);
}

TEST_F(DiagramMetafileTest, FailedWriteIsReportedWithTheFileAndKeepsTheOldOne) {
  Calculate(true);
  std::string path = ReportPictureName(temp.path(), 1);
  test::WriteBytes(path, "old");
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::Rename ? EACCES : 0; });
  std::string error;
  EXPECT_FALSE(WriteDiagramMetafile(1, path, looks, &error));
  fs::SetFaultHook(nullptr);
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_EQ(test::ReadBytes(path), "old");
}

}  // namespace
}  // namespace kondra
