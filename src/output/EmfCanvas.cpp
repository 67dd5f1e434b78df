#include "output/EmfCanvas.h"

#include <algorithm>

#include "env/Cp932.h"

namespace kondra {

namespace {

const TextMeasure*& InstalledMeasure() {
  static const TextMeasure* measure = nullptr;
  return measure;
}

const CellTextMeasure& CoreMeasure() {
  static const CellTextMeasure measure;
  return measure;
}

int32_t RopOf(PenMode mode) {
  switch (mode) {
    case PenMode::NotCopy:
      return kEmfRopNotCopyPen;
    case PenMode::Not:
      return kEmfRopNot;
    case PenMode::Xor:
      return kEmfRopXorPen;
    case PenMode::NotXor:
      return kEmfRopNotXorPen;
    case PenMode::White:
      return kEmfRopWhite;
    case PenMode::Black:
      return kEmfRopBlack;
    case PenMode::Copy:
      break;
  }
  return kEmfRopCopyPen;
}

uint32_t PenStyleBits(PenStyle style) {
  switch (style) {
    case PenStyle::Dot:
      return kEmfPenDot;
    case PenStyle::Dash:
      return kEmfPenDash;
    case PenStyle::DashDot:
      return kEmfPenDashDot;
    case PenStyle::DashDotDot:
      return kEmfPenDashDotDot;
    case PenStyle::Solid:
      break;
  }
  return kEmfPenSolid;
}

EmfBrush BrushOf(const CanvasBrush& brush) {
  EmfBrush out;
  out.color = brush.color & 0xFFFFFF;
  switch (brush.style) {
    case BrushStyle::Solid:
      out.style = kEmfBrushSolid;
      break;
    case BrushStyle::Clear:
      out.style = kEmfBrushNull;
      break;
    case BrushStyle::Horizontal:
      out.style = kEmfBrushHatched;
      out.hatch = kEmfHatchHorizontal;
      break;
    case BrushStyle::Vertical:
      out.style = kEmfBrushHatched;
      out.hatch = kEmfHatchVertical;
      break;
    case BrushStyle::FDiagonal:
      out.style = kEmfBrushHatched;
      out.hatch = kEmfHatchFDiagonal;
      break;
    case BrushStyle::BDiagonal:
      out.style = kEmfBrushHatched;
      out.hatch = kEmfHatchBDiagonal;
      break;
    case BrushStyle::Cross:
      out.style = kEmfBrushHatched;
      out.hatch = kEmfHatchCross;
      break;
    case BrushStyle::DiagCross:
      out.style = kEmfBrushHatched;
      out.hatch = kEmfHatchDiagCross;
      break;
  }
  return out;
}

std::vector<EmfPoint> PointsOf(const std::vector<TPoint>& points) {
  std::vector<EmfPoint> out;
  out.reserve(points.size());
  for (TPoint p : points) out.push_back({p.x, p.y});
  return out;
}

// Japanese faces are asked for with the Shift-JIS character set, so a
// program that does not know the name still picks a face that has the
// characters.
uint8_t CharsetOf(const std::string& face) {
  bool ascii = std::all_of(face.begin(), face.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii || face.starts_with("MS ")) return kEmfCharsetShiftJis;
  return kEmfCharsetDefault;
}

}  // namespace

int32_t FontPixelHeight(int32_t points) { return std::max(1, (points * 96 + 36) / 72); }

TextMetrics CellTextMeasure::Metrics(const CanvasFont& font) const {
  int32_t em = FontPixelHeight(font.size);
  return {(em + 1) / 2, em};
}

std::vector<int32_t> CellTextMeasure::Advances(const CanvasFont& font, const std::u16string& text) const {
  int32_t em = FontPixelHeight(font.size);
  int32_t half = (em + 1) / 2;
  std::vector<int32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= 0xDC00 && c <= 0xDFFF && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF) {
      out.push_back(0);
      continue;
    }
    out.push_back(CharWidth(c) == 1 ? half : em);
  }
  return out;
}

void SetTextMeasure(const TextMeasure* measure) { InstalledMeasure() = measure; }

const TextMeasure& CurrentTextMeasure() {
  const TextMeasure* m = InstalledMeasure();
  return m ? *m : CoreMeasure();
}

EmfCanvas::EmfCanvas(int32_t width, int32_t height, std::string_view description, const EmfDevice& device)
    : writer_(width, height, device, description) {
  // Hatches and text leave the ground as it was; opaque text fills its own
  // cell.
  writer_.SetBkMode(kEmfBkTransparent);
}

void EmfCanvas::UseCanvasPen() {
  EmfPen p;
  p.style = PenStyleBits(pen.style);
  p.width = std::max<int32_t>(1, pen.width);
  p.color = pen.color & 0xFFFFFF;
  writer_.UsePen(p);
  writer_.SetRop2(RopOf(pen.mode));
}

void EmfCanvas::Line(TPoint from, TPoint to) {
  UseCanvasPen();
  writer_.MoveTo({from.x, from.y});
  writer_.LineTo({to.x, to.y});
}

void EmfCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  UseCanvasPen();
  writer_.Polyline(PointsOf(points));
}

void EmfCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  UseCanvasPen();
  writer_.UseBrush(BrushOf(brush));
  writer_.SetPolyFillMode(kEmfFillAlternate);
  writer_.Polygon(PointsOf(points));
}

void EmfCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (brush.style == BrushStyle::Clear) return;
  int32_t left = std::min(x1, x2), right = std::max(x1, x2);
  int32_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (left == right || top == bottom) return;
  writer_.UseNullPen();
  writer_.UseBrush(BrushOf(brush));
  writer_.SetRop2(kEmfRopCopyPen);
  // Without an outline GDI fills one pixel less to the right and below.
  writer_.Rectangle({left, top, right + 1, bottom + 1});
}

EmfFont EmfCanvas::LogicalFont() const {
  EmfFont f;
  int32_t em = FontPixelHeight(font.size);
  f.height = -em;
  f.weight = (font.style & kFontBold) ? 700 : 400;
  f.italic = (font.style & kFontItalic) != 0;
  f.underline = (font.style & kFontUnderline) != 0;
  f.strikeOut = (font.style & kFontStrikeOut) != 0;
  f.face = font.name;
  f.charset = CharsetOf(font.name);
  if (fixWidths_) {
    TextMetrics m = CurrentTextMeasure().Metrics(font);
    if (m.height > 0) f.width = m.aveCharWidth * em / m.height;
  }
  return f;
}

int32_t EmfCanvas::FontWidth() const { return LogicalFont().width; }

void EmfCanvas::TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) {
  std::u16string u = Utf16Of(text);
  if (u.empty()) return;
  EmfFont f = LogicalFont();
  const TextMeasure& measure = CurrentTextMeasure();
  TextMetrics m = measure.Metrics(font);
  std::vector<int32_t> dx = measure.Advances(font, u);
  // An explicit width stretches every character by width / average width.
  if (f.width > 0 && m.aveCharWidth > 0 && f.width != m.aveCharWidth) {
    for (int32_t& d : dx) d = (d * f.width * 2 + m.aveCharWidth) / (2 * m.aveCharWidth);
  }
  int32_t advance = 0;
  for (int32_t d : dx) advance += d;
  writer_.UseFont(f);
  writer_.SetTextColor(font.color);
  writer_.SetTextAlign(kEmfAlignTopLeft);
  if (opaque) writer_.SetBkColor(brush.color);
  EmfRect box{x, y, x + advance, y + std::max(1, m.height)};
  writer_.TextOut({x, y}, u, dx, box, opaque);
}

std::string EmfCanvas::Finish() { return writer_.Finish(); }

void FixMetafileFontWidth(EmfCanvas& canvas) {
  if (canvas.FontWidth() == 0) canvas.FixFontWidths();
}

}  // namespace kondra
