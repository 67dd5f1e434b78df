#include "output/EmfCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "EmfRecording.h"
#include "output/Draw.h"
#include "output/EmfPlayer.h"
#include "output/EmfWriter.h"

namespace kondra {
namespace {

constexpr uint32_t kCreatePen = 38, kCreateBrush = 39, kDeleteObject = 40, kCreateFont = 82;

test::RecordingTarget Play(const std::string& data) {
  test::RecordingTarget target;
  EXPECT_TRUE(PlayMetafile(data, target));
  return target;
}

bool Near(EmfPointF p, double x, double y) { return std::abs(p.x - x) < 1e-9 && std::abs(p.y - y) < 1e-9; }

// Lines run through pixel centres; filled boxes cover exactly the pixels the
// canvas promises.
TEST(EmfCanvas, GeometryComesBackOnThePixelsOfTheCanvas) {
  EmfCanvas canvas(140, 142);
  canvas.pen = {0x0000FF, PenMode::Copy, 1, PenStyle::Solid};
  canvas.Line({10, 20}, {30, 20});
  canvas.Polyline({{1, 1}, {5, 9}, {9, 1}});
  canvas.brush = {0x00FF00, BrushStyle::Solid};
  canvas.FillRect(40, 50, 10, 20);  // corners in any order
  canvas.FillRect(5, 5, 5, 30);     // empty: nothing
  canvas.brush = {0x123456, BrushStyle::Clear};
  canvas.FillRect(0, 0, 20, 20);  // clear brush: nothing
  canvas.brush = {0x808000, BrushStyle::FDiagonal};
  canvas.pen.color = 0x000080;
  canvas.Polygon({{60, 60}, {80, 60}, {70, 80}});
  test::RecordingTarget t = Play(canvas.Finish());

  ASSERT_EQ(t.strokes.size(), 3u);
  ASSERT_EQ(t.strokes[0].lines.size(), 1u);
  EXPECT_TRUE(Near(t.strokes[0].lines[0][0], 10.5, 20.5));
  EXPECT_TRUE(Near(t.strokes[0].lines[0][1], 30.5, 20.5));
  EXPECT_EQ(t.strokes[0].pen.color, 0x0000FF);
  EXPECT_EQ(t.strokes[0].pen.width, 1);
  EXPECT_EQ(t.strokes[0].rop2, kEmfRopCopyPen);
  EXPECT_EQ(t.strokes[1].lines[0].size(), 3u);
  EXPECT_TRUE(Near(t.strokes[1].lines[0][1], 5.5, 9.5));

  ASSERT_EQ(t.fills.size(), 2u);
  const auto& box = t.fills[0].polygons[0];
  EXPECT_TRUE(Near(box[0], 10, 20));
  EXPECT_TRUE(Near(box[2], 40, 50));
  EXPECT_EQ(t.fills[0].brush.style, kEmfBrushSolid);
  EXPECT_EQ(t.fills[0].brush.color, 0x00FF00);

  // The polygon: hatched fill in the brush colour, outline in the pen colour
  // through pixel centres, closed.
  EXPECT_EQ(t.fills[1].brush.style, kEmfBrushHatched);
  EXPECT_EQ(t.fills[1].brush.hatch, kEmfHatchFDiagonal);
  EXPECT_EQ(t.fills[1].brush.color, 0x808000);
  EXPECT_FALSE(t.fills[1].winding);
  EXPECT_TRUE(Near(t.fills[1].polygons[0][2], 70, 80));
  EXPECT_EQ(t.strokes[2].pen.color, 0x000080);
  ASSERT_EQ(t.strokes[2].lines[0].size(), 4u);
  EXPECT_TRUE(Near(t.strokes[2].lines[0][3], 60.5, 60.5));
}

TEST(EmfCanvas, PenModesAndStyles) {
  struct Case {
    PenMode mode;
    int32_t rop;
  } modes[] = {{PenMode::Copy, kEmfRopCopyPen}, {PenMode::NotCopy, kEmfRopNotCopyPen}, {PenMode::Not, kEmfRopNot},
               {PenMode::Xor, kEmfRopXorPen},   {PenMode::NotXor, kEmfRopNotXorPen},   {PenMode::White, kEmfRopWhite},
               {PenMode::Black, kEmfRopBlack}};
  EmfCanvas canvas(50, 50);
  for (const Case& c : modes) {
    canvas.pen.mode = c.mode;
    canvas.Line({0, 0}, {10, 10});
  }
  canvas.pen = {0xFF, PenMode::Copy, 3, PenStyle::Dash};
  canvas.Line({0, 0}, {10, 10});
  canvas.brush = {0xFFFFFF, BrushStyle::Solid};
  canvas.FillRect(0, 0, 10, 10);  // a fill is not inverted by the pen's mode
  test::RecordingTarget t = Play(canvas.Finish());
  ASSERT_EQ(t.strokes.size(), std::size(modes) + 1);
  for (std::size_t i = 0; i < std::size(modes); ++i) EXPECT_EQ(t.strokes[i].rop2, modes[i].rop) << i;
  EXPECT_EQ(t.strokes.back().pen.width, 3);
  EXPECT_EQ(t.strokes.back().pen.style & 0xF, kEmfPenDash);
  EXPECT_EQ(t.fills.back().rop2, kEmfRopCopyPen);
}

// Japanese text and the legacy face names survive as UTF-16; the cell of
// opaque text is filled with the brush colour.
TEST(EmfCanvas, TextWithItsFontColourAndAdvances) {
  EmfCanvas canvas(140, 142);
  SetCanvasFont(canvas, "ＭＳ ゴシック", 9, kFontBold);
  canvas.font.color = 0x0000FF;
  canvas.TextOut(3, 4, "A結露℃", false);
  SetCanvasFont(canvas, "Small Fonts", 6, 0);
  canvas.brush = {0x00FFFF, BrushStyle::Solid};
  canvas.TextOut(20, 30, "12.5", true);
  std::string data = canvas.Finish();

  // The bytes hold the UTF-16 text and the face name.
  EXPECT_NE(data.find(test::Utf16Bytes(u"A結露℃")), std::string::npos);
  EXPECT_NE(data.find(test::Utf16Bytes(u"ＭＳ ゴシック")), std::string::npos);
  std::vector<uint32_t> types = test::RecordTypes(data);
  EXPECT_EQ(std::count(types.begin(), types.end(), kEmrExtTextOutW), 2);

  test::RecordingTarget t = Play(data);
  ASSERT_EQ(t.texts.size(), 2u);
  const EmfPlayText& a = t.texts[0];
  EXPECT_EQ(a.text, "A結露℃");
  EXPECT_EQ(a.font.face, "ＭＳ ゴシック");
  EXPECT_EQ(a.font.charset, kEmfCharsetShiftJis);
  EXPECT_EQ(a.font.height, -12);  // 9 points at 96 dpi
  EXPECT_EQ(a.font.weight, 700);
  EXPECT_EQ(a.color, 0x0000FF);
  EXPECT_EQ(a.align, kEmfAlignTopLeft);
  EXPECT_TRUE(Near(a.origin, 3, 4));
  EXPECT_FALSE(a.opaque);
  EXPECT_FALSE(a.opaqueBackground);
  // Fixed pitch: half the height for one-byte characters, the height for
  // two-byte ones.
  EXPECT_EQ(a.dx, (std::vector<double>{6, 12, 12, 12}));

  const EmfPlayText& b = t.texts[1];
  EXPECT_EQ(b.font.face, "Small Fonts");
  EXPECT_EQ(b.font.charset, kEmfCharsetDefault);
  EXPECT_EQ(b.font.height, -8);
  EXPECT_TRUE(b.opaque);
  EXPECT_EQ(b.bkColor, 0x00FFFF);
  EXPECT_EQ(b.box.left, 20);
  EXPECT_EQ(b.box.top, 30);
  EXPECT_EQ(b.box.right, 20 + 4 * 4);
  EXPECT_EQ(b.box.bottom, 30 + 8);
}

// A measure whose faces are wider than they are high, like a proportional
// face with a tall cell.
class WideMeasure : public TextMeasure {
 public:
  TextMetrics Metrics(const CanvasFont&) const override { return {5, 14}; }
  std::vector<int32_t> Advances(const CanvasFont&, const std::u16string& text) const override {
    return std::vector<int32_t>(text.size(), 5);
  }
};

TEST(EmfCanvas, FixedFontWidthKeepsProportions) {
  WideMeasure wide;
  SetTextMeasure(&wide);
  EmfCanvas plain(50, 50);
  SetCanvasFont(plain, "ＭＳ 明朝", 9, 0);
  EXPECT_EQ(plain.FontWidth(), 0);

  EmfCanvas canvas(50, 50);
  FixMetafileFontWidth(canvas);
  EXPECT_TRUE(canvas.FontWidthsFixed());
  SetCanvasFont(canvas, "ＭＳ 明朝", 9, 0);
  EXPECT_EQ(canvas.FontWidth(), 5 * 12 / 14);  // average width × em div cell
  canvas.TextOut(0, 0, "ab", false);
  SetCanvasFont(canvas, "ＭＳ 明朝", 18, 0);  // later fonts too
  EXPECT_EQ(canvas.FontWidth(), 5 * 24 / 14);
  canvas.TextOut(0, 20, "ab", false);
  test::RecordingTarget t = Play(canvas.Finish());
  SetTextMeasure(nullptr);
  ASSERT_EQ(t.texts.size(), 2u);
  EXPECT_EQ(t.texts[0].font.width, 4);
  // Advances follow the explicit width: 5 × 4 / 5.
  EXPECT_EQ(t.texts[0].dx, (std::vector<double>{4, 4}));
  EXPECT_EQ(t.texts[1].font.width, 8);
  EXPECT_EQ(t.texts[1].dx, (std::vector<double>{8, 8}));
}

// Every object created is deleted again, and a pen or brush used twice in a
// row is created once.
TEST(EmfCanvas, ObjectsAreCreatedOnceAndDeleted) {
  EmfCanvas canvas(100, 100);
  canvas.pen = {0xFF, PenMode::Copy, 1, PenStyle::Solid};
  for (int i = 0; i < 5; ++i) canvas.Line({i, 0}, {i, 50});
  canvas.brush = {0xFF00, BrushStyle::Solid};
  for (int i = 0; i < 5; ++i) canvas.FillRect(i * 10, 0, i * 10 + 5, 5);
  canvas.pen.color = 0xFF0000;
  canvas.Line({0, 0}, {1, 1});
  for (int i = 0; i < 3; ++i) canvas.TextOut(0, 10 * i, "x", false);
  std::string data = canvas.Finish();
  std::vector<uint32_t> types = test::RecordTypes(data);
  auto count = [&](uint32_t type) { return std::count(types.begin(), types.end(), type); };
  EXPECT_EQ(count(kCreatePen), 2);
  EXPECT_EQ(count(kCreateBrush), 1);
  EXPECT_EQ(count(kCreateFont), 1);
  EXPECT_EQ(count(kDeleteObject), count(kCreatePen) + count(kCreateBrush) + count(kCreateFont));
  EmfHeader h = *ReadEmfHeader(data);
  EXPECT_GE(h.handles, 3);
  EXPECT_LE(h.handles, 4);
}

// A picture drawn with unitsPerPixel keeps its fractional coordinates and
// comes back in pixels.
TEST(EmfWriter, FinerLogicalUnitsMapBackToPixels) {
  EmfWriter w(200, 100, EmfDevice{}, {}, 16);
  w.UsePen({kEmfPenSolid | kEmfPenGeometric, 32, 0x00FF00});
  w.MoveTo({16 * 10 + 8, 16 * 20});
  w.LineTo({16 * 100, 16 * 20});
  w.UseNullPen();
  w.UseBrush({kEmfBrushSolid, 0xFF, 0});
  w.SetPolyFillMode(kEmfFillWinding);
  w.PolyPolygon({{{0, 0}, {160, 0}, {160, 160}}, {{320, 320}, {480, 320}, {480, 480}}});
  EmfFont font;
  font.height = -16 * 12;
  font.face = "IPAGothic";
  w.UseFont(font);
  w.TextOut({16 * 5, 16 * 6}, u"ab", {16 * 6, 16 * 6}, {16 * 5, 16 * 6, 16 * 17, 16 * 18}, false);
  // Three by two pixels (rows padded in the file) stretched onto 30 × 20.
  std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  w.StretchImage({16 * 100, 16 * 50, 16 * 130, 16 * 70}, 3, 2, rgb);
  test::RecordingTarget t = Play(w.Finish());
  EXPECT_EQ(t.images, 1);
  EXPECT_EQ(t.imageWidth, 3);
  EXPECT_EQ(t.imageHeight, 2);
  EXPECT_EQ(t.imageRgb, rgb);
  EXPECT_EQ(t.imageRect.left, 100);
  EXPECT_EQ(t.imageRect.bottom, 70);
  ASSERT_EQ(t.strokes.size(), 1u);
  EXPECT_TRUE(Near(t.strokes[0].lines[0][0], 11, 20.5));
  EXPECT_EQ(t.strokes[0].pen.width, 2);
  ASSERT_EQ(t.fills.size(), 1u);
  EXPECT_TRUE(t.fills[0].winding);
  ASSERT_EQ(t.fills[0].polygons.size(), 2u);
  EXPECT_TRUE(Near(t.fills[0].polygons[1][2], 30, 30));
  ASSERT_EQ(t.texts.size(), 1u);
  EXPECT_EQ(t.texts[0].font.height, -12);
  EXPECT_EQ(t.texts[0].dx, (std::vector<double>{6, 6}));
  EXPECT_TRUE(Near(t.texts[0].origin, 5, 6));
}

}  // namespace
}  // namespace kondra
