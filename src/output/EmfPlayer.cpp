#include "output/EmfPlayer.h"

#include <uemf.h>
#include <uemf_safe.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <variant>

#include "env/Cp932.h"
#include "output/Bitmap.h"

namespace kondra {

namespace {

// An affine transform: x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy.
struct Affine {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  EmfPointF Map(double x, double y) const { return {m11 * x + m21 * y + dx, m12 * x + m22 * y + dy}; }
  // this, then b.
  Affine Then(const Affine& b) const {
    return {m11 * b.m11 + m12 * b.m21,      m11 * b.m12 + m12 * b.m22,      m21 * b.m11 + m22 * b.m21,
            m21 * b.m12 + m22 * b.m22,      dx * b.m11 + dy * b.m21 + b.dx, dx * b.m12 + dy * b.m22 + b.dy};
  }
};

int32_t Rgb(const U_COLORREF& c) { return c.Red | (c.Green << 8) | (c.Blue << 16); }

struct PenObject {
  uint32_t style = 0;
  double width = 0;  // logical units
  int32_t color = 0;
};
struct BrushObject {
  uint32_t style = 0;
  int32_t color = 0;
  int32_t hatch = 0;
};
struct FontObject {
  int32_t height = 0, width = 0, escapement = 0, weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  uint8_t charset = 1;
  std::string face;
};
using GdiObject = std::variant<PenObject, BrushObject, FontObject>;

struct DcState {
  int32_t mapMode = U_MM_TEXT;
  double winOrgX = 0, winOrgY = 0, winExtX = 1, winExtY = 1;
  double vpOrgX = 0, vpOrgY = 0, vpExtX = 1, vpExtY = 1;
  Affine world;
  PenObject pen{0, 0, 0};
  BrushObject brush{U_BS_SOLID, 0xFFFFFF, 0};
  FontObject font;
  int32_t textColor = 0;
  int32_t bkColor = 0xFFFFFF;
  int32_t bkMode = U_OPAQUE;
  uint32_t textAlign = 0;
  int32_t rop2 = U_R2_COPYPEN;
  int32_t polyFillMode = U_ALTERNATE;
  EmfPointF current;  // logical
  std::optional<EmfRectF> clip;  // device pixels
};

// Pixels per millimetre of the reference device.
struct DeviceScale {
  double x = 96 / 25.4;
  double y = 96 / 25.4;
};

class Player {
 public:
  Player(const EmfHeader& header, EmfTarget& target) : target_(target) {
    if (header.deviceWidthUm > 0 && header.deviceHeightUm > 0) {
      scale_.x = header.deviceWidthPixels * 1000.0 / header.deviceWidthUm;
      scale_.y = header.deviceHeightPixels * 1000.0 / header.deviceHeightUm;
    } else {
      scale_.x = static_cast<double>(header.deviceWidthPixels) / header.deviceWidthMm;
      scale_.y = static_cast<double>(header.deviceHeightPixels) / header.deviceHeightMm;
    }
  }

  void Play(const EmfRecord& record);

 private:
  // The record copied to aligned memory.
  template <class T>
  const T& As() const {
    return *reinterpret_cast<const T*>(buffer_.data());
  }
  const char* Raw() const { return reinterpret_cast<const char*>(buffer_.data()); }
  std::size_t Size() const { return size_; }

  Affine PageTransform() const;
  Affine Transform() const { return dc_.world.Then(PageTransform()); }
  EmfPointF ToDevice(double x, double y) const { return Transform().Map(x, y); }
  double ScaleX() const {
    Affine t = Transform();
    return std::hypot(t.m11, t.m12);
  }
  double ScaleY() const {
    Affine t = Transform();
    return std::hypot(t.m21, t.m22);
  }

  std::vector<EmfPointF> Points(const char* first, uint32_t count, bool shortPoints) const;
  void SetMapMode(int32_t mode);
  void Select(uint32_t handle);
  void SelectStock(uint32_t handle);

  EmfPlayPen PlayPen() const;
  EmfPlayBrush PlayBrush() const;
  bool PenVisible() const { return (dc_.pen.style & U_PS_STYLE_MASK) != U_PS_NULL; }
  bool BrushVisible() const { return dc_.brush.style != U_BS_NULL; }

  // Strokes through pixel centres.
  std::vector<EmfPointF> StrokeLine(const std::vector<EmfPointF>& logical, bool close) const;
  void DrawPolygons(const std::vector<std::vector<EmfPointF>>& logical);
  void DrawPolylines(const std::vector<std::vector<EmfPointF>>& logical);
  void DrawBox(const U_RECTL& box, bool ellipse);
  void DrawText(bool wide);
  void DrawImage();
  void Curve(std::vector<EmfPointF>& out, const std::vector<EmfPointF>& pts, std::size_t from) const;

  // Paths: built while a path bracket is open, in logical units.
  void PathMove(EmfPointF p);
  void PathLine(EmfPointF p);
  void PathAdd(const std::vector<EmfPointF>& pts, bool close);
  void PathDraw(bool fill, bool stroke);

  EmfTarget& target_;
  DeviceScale scale_;
  std::vector<uint32_t> buffer_;
  std::size_t size_ = 0;
  DcState dc_;
  std::vector<DcState> saved_;
  std::map<uint32_t, GdiObject> objects_;
  bool inPath_ = false;
  std::vector<std::vector<EmfPointF>> path_;
  std::vector<bool> pathClosed_;
};

Affine Player::PageTransform() const {
  double sx = 1, sy = 1;
  switch (dc_.mapMode) {
    case U_MM_TEXT:
      break;
    case U_MM_LOMETRIC:
      sx = scale_.x * 0.1, sy = -scale_.y * 0.1;
      break;
    case U_MM_HIMETRIC:
      sx = scale_.x * 0.01, sy = -scale_.y * 0.01;
      break;
    case U_MM_LOENGLISH:
      sx = scale_.x * 0.254, sy = -scale_.y * 0.254;
      break;
    case U_MM_HIENGLISH:
      sx = scale_.x * 0.0254, sy = -scale_.y * 0.0254;
      break;
    case U_MM_TWIPS:
      sx = scale_.x * 25.4 / 1440, sy = -scale_.y * 25.4 / 1440;
      break;
    case U_MM_ISOTROPIC:
    case U_MM_ANISOTROPIC: {
      sx = dc_.winExtX != 0 ? dc_.vpExtX / dc_.winExtX : 1;
      sy = dc_.winExtY != 0 ? dc_.vpExtY / dc_.winExtY : 1;
      if (dc_.mapMode == U_MM_ISOTROPIC) {
        double m = std::min(std::fabs(sx), std::fabs(sy));
        sx = std::copysign(m, sx);
        sy = std::copysign(m, sy);
      }
      break;
    }
    default:
      break;
  }
  return {sx, 0, 0, sy, dc_.vpOrgX - dc_.winOrgX * sx, dc_.vpOrgY - dc_.winOrgY * sy};
}

void Player::SetMapMode(int32_t mode) {
  if (mode < U_MM_TEXT || mode > U_MM_ANISOTROPIC) return;
  dc_.mapMode = mode;
}

std::vector<EmfPointF> Player::Points(const char* first, uint32_t count, bool shortPoints) const {
  std::vector<EmfPointF> out;
  out.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    if (shortPoints) {
      U_POINT16 p;
      std::memcpy(&p, first + i * sizeof(U_POINT16), sizeof p);
      out.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
    } else {
      U_POINTL p;
      std::memcpy(&p, first + i * sizeof(U_POINTL), sizeof p);
      out.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
    }
  }
  return out;
}

void Player::SelectStock(uint32_t handle) {
  switch (handle) {
    case U_WHITE_BRUSH:
      dc_.brush = {U_BS_SOLID, 0xFFFFFF, 0};
      break;
    case U_LTGRAY_BRUSH:
      dc_.brush = {U_BS_SOLID, 0xC0C0C0, 0};
      break;
    case U_GRAY_BRUSH:
      dc_.brush = {U_BS_SOLID, 0x808080, 0};
      break;
    case U_DKGRAY_BRUSH:
      dc_.brush = {U_BS_SOLID, 0x404040, 0};
      break;
    case U_BLACK_BRUSH:
      dc_.brush = {U_BS_SOLID, 0, 0};
      break;
    case U_NULL_BRUSH:
      dc_.brush = {U_BS_NULL, 0, 0};
      break;
    case U_WHITE_PEN:
      dc_.pen = {U_PS_SOLID, 0, 0xFFFFFF};
      break;
    case U_BLACK_PEN:
      dc_.pen = {U_PS_SOLID, 0, 0};
      break;
    case U_NULL_PEN:
      dc_.pen = {U_PS_NULL, 0, 0};
      break;
    default:
      // Stock fonts: the device's default face.
      if (handle >= U_OEM_FIXED_FONT && handle <= U_DEFAULT_GUI_FONT && handle != U_DEFAULT_PALETTE) dc_.font = {};
      break;
  }
}

void Player::Select(uint32_t handle) {
  if (handle & U_STOCK_OBJECT) {
    SelectStock(handle);
    return;
  }
  auto it = objects_.find(handle);
  if (it == objects_.end()) return;
  if (const auto* p = std::get_if<PenObject>(&it->second)) dc_.pen = *p;
  if (const auto* b = std::get_if<BrushObject>(&it->second)) dc_.brush = *b;
  if (const auto* f = std::get_if<FontObject>(&it->second)) dc_.font = *f;
}

EmfPlayPen Player::PlayPen() const {
  EmfPlayPen p;
  p.style = dc_.pen.style;
  p.color = dc_.pen.color;
  // Width 0 is one pixel on every device.
  p.width = std::max(1.0, dc_.pen.width * (ScaleX() + ScaleY()) / 2);
  return p;
}

EmfPlayBrush Player::PlayBrush() const { return {dc_.brush.style, dc_.brush.color, dc_.brush.hatch}; }

std::vector<EmfPointF> Player::StrokeLine(const std::vector<EmfPointF>& logical, bool close) const {
  std::vector<EmfPointF> out;
  out.reserve(logical.size() + 1);
  for (const EmfPointF& p : logical) {
    EmfPointF d = ToDevice(p.x, p.y);
    out.push_back({d.x + 0.5, d.y + 0.5});
  }
  if (close && !out.empty()) out.push_back(out.front());
  return out;
}

void Player::DrawPolygons(const std::vector<std::vector<EmfPointF>>& logical) {
  if (inPath_) {
    for (const auto& p : logical) PathAdd(p, true);
    return;
  }
  if (BrushVisible()) {
    std::vector<std::vector<EmfPointF>> fill;
    for (const auto& poly : logical) {
      std::vector<EmfPointF> d;
      for (const EmfPointF& p : poly) d.push_back(ToDevice(p.x, p.y));
      fill.push_back(std::move(d));
    }
    target_.Fill(fill, dc_.polyFillMode == U_WINDING, PlayBrush(), dc_.rop2, dc_.bkColor, dc_.bkMode == U_OPAQUE);
  }
  if (PenVisible()) {
    std::vector<std::vector<EmfPointF>> lines;
    for (const auto& poly : logical) lines.push_back(StrokeLine(poly, true));
    target_.Stroke(lines, PlayPen(), dc_.rop2);
  }
}

void Player::DrawPolylines(const std::vector<std::vector<EmfPointF>>& logical) {
  if (inPath_) {
    for (const auto& p : logical) PathAdd(p, false);
    return;
  }
  if (!PenVisible()) return;
  std::vector<std::vector<EmfPointF>> lines;
  for (const auto& line : logical) lines.push_back(StrokeLine(line, false));
  target_.Stroke(lines, PlayPen(), dc_.rop2);
}

void Player::DrawBox(const U_RECTL& box, bool ellipse) {
  double l = std::min(box.left, box.right), r = std::max(box.left, box.right);
  double t = std::min(box.top, box.bottom), b = std::max(box.top, box.bottom);
  std::vector<EmfPointF> corners;
  if (ellipse) {
    const int steps = 72;
    double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
    for (int i = 0; i < steps; ++i) {
      double a = 2 * M_PI * i / steps;
      corners.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
  }
  if (inPath_) {
    if (!ellipse) corners = {{l, t}, {r, t}, {r, b}, {l, b}};
    PathAdd(corners, true);
    return;
  }
  bool pen = PenVisible();
  if (BrushVisible()) {
    std::vector<EmfPointF> fill;
    if (ellipse) {
      for (const EmfPointF& p : corners) fill.push_back(ToDevice(p.x, p.y));
    } else {
      // The right and bottom edges are left out; without an outline one more
      // pixel on each of them.
      double shrink = pen ? 0 : 1;
      EmfPointF a = ToDevice(l, t);
      EmfPointF c = ToDevice(r, b);
      double rx = c.x - shrink, by = c.y - shrink;
      if (rx <= a.x || by <= a.y) rx = a.x, by = a.y;
      fill = {{a.x, a.y}, {rx, a.y}, {rx, by}, {a.x, by}};
    }
    target_.Fill({fill}, false, PlayBrush(), dc_.rop2, dc_.bkColor, dc_.bkMode == U_OPAQUE);
  }
  if (pen) {
    if (ellipse) {
      target_.Stroke({StrokeLine(corners, true)}, PlayPen(), dc_.rop2);
    } else {
      std::vector<EmfPointF> outline = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};
      target_.Stroke({StrokeLine(outline, true)}, PlayPen(), dc_.rop2);
    }
  }
}

void Player::Curve(std::vector<EmfPointF>& out, const std::vector<EmfPointF>& pts, std::size_t from) const {
  // Cubic segments of three points each after a start point.
  for (std::size_t i = from; i + 2 < pts.size(); i += 3) {
    EmfPointF p0 = out.empty() ? pts[i] : out.back();
    const EmfPointF &p1 = pts[i], &p2 = pts[i + 1], &p3 = pts[i + 2];
    const int steps = 16;
    for (int k = 1; k <= steps; ++k) {
      double t = static_cast<double>(k) / steps, u = 1 - t;
      out.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                     u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
    }
  }
}

void Player::PathMove(EmfPointF p) {
  path_.push_back({p});
  pathClosed_.push_back(false);
}

void Player::PathLine(EmfPointF p) {
  if (path_.empty()) PathMove(dc_.current);
  path_.back().push_back(p);
}

void Player::PathAdd(const std::vector<EmfPointF>& pts, bool close) {
  if (pts.empty()) return;
  path_.push_back(pts);
  pathClosed_.push_back(close);
}

void Player::PathDraw(bool fill, bool stroke) {
  std::vector<std::vector<EmfPointF>> figures = path_;
  std::vector<bool> closed = pathClosed_;
  path_.clear();
  pathClosed_.clear();
  if (fill && BrushVisible()) {
    std::vector<std::vector<EmfPointF>> polys;
    for (const auto& f : figures) {
      std::vector<EmfPointF> d;
      for (const EmfPointF& p : f) d.push_back(ToDevice(p.x, p.y));
      polys.push_back(std::move(d));
    }
    target_.Fill(polys, dc_.polyFillMode == U_WINDING, PlayBrush(), dc_.rop2, dc_.bkColor, dc_.bkMode == U_OPAQUE);
  }
  if (stroke && PenVisible()) {
    std::vector<std::vector<EmfPointF>> lines;
    for (std::size_t i = 0; i < figures.size(); ++i) lines.push_back(StrokeLine(figures[i], fill || closed[i]));
    target_.Stroke(lines, PlayPen(), dc_.rop2);
  }
}

void Player::DrawText(bool wide) {
  const auto& rec = As<U_EMREXTTEXTOUTW>();
  const U_EMRTEXT& et = rec.emrtext;
  uint32_t n = et.nChars;
  std::size_t emrtextAt = offsetof(U_EMREXTTEXTOUTW, emrtext);
  std::size_t afterText = emrtextAt + sizeof(U_EMRTEXT);
  U_RECTL rcl{0, 0, 0, 0};
  bool hasRect = (et.fOptions & U_ETO_NO_RECT) == 0;
  if (hasRect) {
    if (afterText + sizeof(U_RECTL) + 4 > Size()) return;
    std::memcpy(&rcl, Raw() + afterText, sizeof rcl);
    afterText += sizeof(U_RECTL);
  }
  uint32_t offDx = 0;
  if (afterText + 4 <= Size()) std::memcpy(&offDx, Raw() + afterText, 4);
  std::size_t bytes = static_cast<std::size_t>(n) * (wide ? 2 : 1);
  if (et.offString > Size() || bytes > Size() - et.offString) return;

  EmfPlayText text;
  if (wide) {
    std::u16string s(n, u'\0');
    for (uint32_t i = 0; i < n; ++i) {
      uint16_t c;
      std::memcpy(&c, Raw() + et.offString + 2 * i, 2);
      s[i] = static_cast<char16_t>(c);
    }
    text.text = Utf8Of(s);
  } else {
    std::string raw(Raw() + et.offString, n);
    // One-byte text is in the code page of its font; Japanese fonts are
    // Shift-JIS, the others are taken as Latin-1.
    std::string utf8;
    if (dc_.font.charset == 128 && FromCp932(raw, utf8)) {
      text.text = utf8;
    } else {
      std::u16string s(raw.begin(), raw.end());
      for (std::size_t i = 0; i < raw.size(); ++i) s[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[i]));
      text.text = Utf8Of(s);
    }
  }
  // Advances: one per character (two-byte characters of one-byte text have
  // theirs on the first byte).
  std::vector<double> dx;
  if (offDx != 0 && offDx <= Size() && static_cast<std::size_t>(n) * 4 <= Size() - offDx) {
    bool pdy = (et.fOptions & U_ETO_PDY) != 0;
    if (!pdy || static_cast<std::size_t>(n) * 8 <= Size() - offDx) {
      for (uint32_t i = 0; i < n; ++i) {
        int32_t d;
        std::memcpy(&d, Raw() + offDx + (pdy ? 8 : 4) * i, 4);
        dx.push_back(d);
      }
    }
  }
  if (!wide && !dx.empty()) {
    // Fold the advances onto the decoded characters.
    std::vector<double> folded;
    std::u16string u = Utf16Of(text.text);
    std::size_t b = 0;
    for (char16_t c : u) {
      int w = (dc_.font.charset == 128) ? CharWidth(c) : 1;
      double sum = 0;
      for (int k = 0; k < w && b < dx.size(); ++k, ++b) sum += dx[b];
      folded.push_back(sum);
    }
    dx = folded;
  }
  double sx = ScaleX();
  for (double& d : dx) d *= sx;
  text.dx = dx;

  EmfPointF ref{static_cast<double>(et.ptlReference.x), static_cast<double>(et.ptlReference.y)};
  if (dc_.textAlign & U_TA_UPDATECP) ref = dc_.current;
  text.origin = ToDevice(ref.x, ref.y);
  const FontObject& f = dc_.font;
  text.font.height = f.height * ScaleY();
  text.font.width = f.width * sx;
  text.font.escapement = f.escapement;
  text.font.weight = f.weight;
  text.font.italic = f.italic;
  text.font.underline = f.underline;
  text.font.strikeOut = f.strikeOut;
  text.font.charset = f.charset;
  text.font.face = f.face;
  text.color = dc_.textColor;
  text.align = dc_.textAlign;
  text.bkColor = dc_.bkColor;
  text.opaqueBackground = dc_.bkMode == U_OPAQUE;
  if (hasRect && (et.fOptions & (U_ETO_OPAQUE | U_ETO_CLIPPED))) {
    EmfPointF a = ToDevice(rcl.left, rcl.top);
    EmfPointF c = ToDevice(rcl.right, rcl.bottom);
    text.box = {std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
    text.opaque = (et.fOptions & U_ETO_OPAQUE) != 0;
    text.clipped = (et.fOptions & U_ETO_CLIPPED) != 0;
  }
  if (dc_.textAlign & U_TA_UPDATECP) {
    double total = 0;
    for (double d : dx) total += d;
    dc_.current.x += sx != 0 ? total / sx : 0;
  }
  target_.Text(text);
}

void Player::DrawImage() {
  const auto& rec = As<U_EMRSTRETCHDIBITS>();
  if (rec.cbBmiSrc == 0 || rec.cbBitsSrc == 0 || rec.offBmiSrc > Size() ||
      Size() - rec.offBmiSrc < sizeof(U_BITMAPINFOHEADER))
    return;
  const char* px = nullptr;
  const U_RGBQUAD* ct = nullptr;
  uint32_t numCt = 0, width = 0, height = 0, colortype = 0, invert = 0;
  uint32_t bic = get_DIB_params(Raw(), rec.offBitsSrc, rec.offBmiSrc, &px, &ct, &numCt, &width, &height, &colortype,
                                &invert);
  if (bic != U_BI_RGB || width == 0 || height == 0 || width > static_cast<uint32_t>(kMaxBitmapSide) ||
      height > static_cast<uint32_t>(kMaxBitmapSide) ||
      static_cast<int64_t>(width) * height > kMaxBitmapPixels)
    return;
  // The pixels must lie inside the record.
  uint64_t stride = ((static_cast<uint64_t>(width) * colortype + 31) / 32) * 4;
  if (colortype == 0 || rec.offBitsSrc > Size() || stride * height > Size() - rec.offBitsSrc) return;
  char* rgba = nullptr;
  if (numCt > 0 && (ct == nullptr || reinterpret_cast<const char*>(ct) + 4 * static_cast<std::size_t>(numCt) >
                                         Raw() + Size()))
    return;
  // A colour table shorter than the pixels' range is filled up with black,
  // so no pixel value reads past it.
  std::vector<U_RGBQUAD> table;
  if (colortype <= 8) {
    if (numCt == 0) return;
    table.assign(std::size_t{1} << colortype, U_RGBQUAD{0, 0, 0, 0});
    std::memcpy(table.data(), ct, 4 * std::min<std::size_t>(numCt, table.size()));
    ct = table.data();
    numCt = static_cast<uint32_t>(table.size());
  } else if (colortype != 16 && colortype != 24 && colortype != 32) {
    return;
  } else {
    numCt = 0;
  }
  if (DIB_to_RGBA(px, ct, static_cast<int>(numCt), &rgba, static_cast<int>(width), static_cast<int>(height), colortype,
                  numCt > 0 ? 1 : 0, static_cast<int>(invert)) != 0 ||
      !rgba)
    return;
  // The source rectangle of the record.
  int32_t sx0 = std::clamp<int32_t>(rec.Src.x, 0, static_cast<int32_t>(width));
  int32_t sy0 = std::clamp<int32_t>(rec.Src.y, 0, static_cast<int32_t>(height));
  int32_t sw = std::clamp<int32_t>(rec.cSrc.x, 0, static_cast<int32_t>(width) - sx0);
  int32_t sh = std::clamp<int32_t>(rec.cSrc.y, 0, static_cast<int32_t>(height) - sy0);
  if (sw == 0 || sh == 0) {
    std::free(rgba);
    return;
  }
  // The converted rows run from the bottom up. The source rectangle of a
  // bottom-up bitmap is counted from its bottom row, that of a top-down one
  // from its top row.
  std::vector<uint8_t> rgb(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh) * 3);
  for (int32_t y = 0; y < sh; ++y) {
    int32_t row = invert ? static_cast<int32_t>(height) - 1 - (sy0 + y) : sy0 + sh - 1 - y;
    for (int32_t x = 0; x < sw; ++x) {
      const char* s = rgba + (static_cast<std::size_t>(row) * width + static_cast<std::size_t>(sx0 + x)) * 4;
      uint8_t* d = rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(sw) + static_cast<std::size_t>(x)) * 3;
      d[0] = static_cast<uint8_t>(s[0]);
      d[1] = static_cast<uint8_t>(s[1]);
      d[2] = static_cast<uint8_t>(s[2]);
    }
  }
  std::free(rgba);
  EmfPointF a = ToDevice(rec.Dest.x, rec.Dest.y);
  EmfPointF c = ToDevice(rec.Dest.x + rec.cDest.x, rec.Dest.y + rec.cDest.y);
  target_.Image({std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)}, sw, sh, rgb);
}

void Player::Play(const EmfRecord& record) {
  size_ = record.bytes.size();
  // Fixed parts of a record read past a short record find zeros; every
  // array is checked against the record's length before it is read.
  buffer_.assign(std::max<std::size_t>((size_ + 3) / 4 + 1, 256), 0);
  std::memcpy(buffer_.data(), record.bytes.data(), size_);
  if (record.type != U_EMR_HEADER && !U_emf_record_safe(Raw())) return;

  switch (record.type) {
    case U_EMR_SETMAPMODE:
      SetMapMode(static_cast<int32_t>(As<U_EMRSETMAPMODE>().iMode));
      break;
    case U_EMR_SETWINDOWEXTEX: {
      const U_PAIR& p = As<U_EMRGENERICPAIR>().pair;
      if (p.x != 0 && p.y != 0) dc_.winExtX = p.x, dc_.winExtY = p.y;
      break;
    }
    case U_EMR_SETWINDOWORGEX: {
      const U_PAIR& p = As<U_EMRGENERICPAIR>().pair;
      dc_.winOrgX = p.x, dc_.winOrgY = p.y;
      break;
    }
    case U_EMR_SETVIEWPORTEXTEX: {
      const U_PAIR& p = As<U_EMRGENERICPAIR>().pair;
      if (p.x != 0 && p.y != 0) dc_.vpExtX = p.x, dc_.vpExtY = p.y;
      break;
    }
    case U_EMR_SETVIEWPORTORGEX: {
      const U_PAIR& p = As<U_EMRGENERICPAIR>().pair;
      dc_.vpOrgX = p.x, dc_.vpOrgY = p.y;
      break;
    }
    case U_EMR_SETBKMODE:
      dc_.bkMode = static_cast<int32_t>(As<U_EMRSETMAPMODE>().iMode);
      break;
    case U_EMR_SETPOLYFILLMODE:
      dc_.polyFillMode = static_cast<int32_t>(As<U_EMRSETMAPMODE>().iMode);
      break;
    case U_EMR_SETROP2:
      dc_.rop2 = static_cast<int32_t>(As<U_EMRSETMAPMODE>().iMode);
      break;
    case U_EMR_SETTEXTALIGN:
      dc_.textAlign = As<U_EMRSETMAPMODE>().iMode;
      break;
    case U_EMR_SETTEXTCOLOR:
      dc_.textColor = Rgb(As<U_EMRSETTEXTCOLOR>().crColor);
      break;
    case U_EMR_SETBKCOLOR:
      dc_.bkColor = Rgb(As<U_EMRSETTEXTCOLOR>().crColor);
      break;
    case U_EMR_MOVETOEX: {
      const U_PAIR& p = As<U_EMRGENERICPAIR>().pair;
      dc_.current = {static_cast<double>(p.x), static_cast<double>(p.y)};
      if (inPath_) PathMove(dc_.current);
      break;
    }
    case U_EMR_LINETO: {
      const U_PAIR& p = As<U_EMRGENERICPAIR>().pair;
      EmfPointF to{static_cast<double>(p.x), static_cast<double>(p.y)};
      if (inPath_) {
        PathLine(to);
      } else if (PenVisible()) {
        target_.Stroke({StrokeLine({dc_.current, to}, false)}, PlayPen(), dc_.rop2);
      }
      dc_.current = to;
      break;
    }
    case U_EMR_SAVEDC:
      saved_.push_back(dc_);
      break;
    case U_EMR_RESTOREDC: {
      int32_t rel = As<U_EMRRESTOREDC>().iRelative;
      if (rel < 0 && static_cast<std::size_t>(-rel) <= saved_.size()) {
        std::optional<EmfRectF> before = dc_.clip;
        dc_ = saved_[saved_.size() - static_cast<std::size_t>(-rel)];
        saved_.resize(saved_.size() - static_cast<std::size_t>(-rel));
        if (before.has_value() != dc_.clip.has_value() ||
            (before && (before->left != dc_.clip->left || before->top != dc_.clip->top ||
                        before->right != dc_.clip->right || before->bottom != dc_.clip->bottom)))
          target_.Clip(dc_.clip);
      }
      break;
    }
    case U_EMR_SETWORLDTRANSFORM: {
      const U_XFORM& x = As<U_EMRSETWORLDTRANSFORM>().xform;
      dc_.world = {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy};
      break;
    }
    case U_EMR_MODIFYWORLDTRANSFORM: {
      const auto& r = As<U_EMRMODIFYWORLDTRANSFORM>();
      Affine x{r.xform.eM11, r.xform.eM12, r.xform.eM21, r.xform.eM22, r.xform.eDx, r.xform.eDy};
      if (r.iMode == U_MWT_IDENTITY) dc_.world = Affine{};
      else if (r.iMode == U_MWT_LEFTMULTIPLY) dc_.world = x.Then(dc_.world);
      else if (r.iMode == U_MWT_RIGHTMULTIPLY) dc_.world = dc_.world.Then(x);
      else if (r.iMode == 4) dc_.world = x;  // MWT_SET
      break;
    }
    case U_EMR_SELECTOBJECT:
      Select(As<U_EMRSELECTOBJECT>().ihObject);
      break;
    case U_EMR_DELETEOBJECT:
      objects_.erase(As<U_EMRSELECTOBJECT>().ihObject);
      break;
    case U_EMR_CREATEPEN: {
      const auto& r = As<U_EMRCREATEPEN>();
      objects_[r.ihPen] = PenObject{r.lopn.lopnStyle, static_cast<double>(r.lopn.lopnWidth.x), Rgb(r.lopn.lopnColor)};
      break;
    }
    case U_EMR_EXTCREATEPEN: {
      const auto& r = As<U_EMREXTCREATEPEN>();
      PenObject pen{r.elp.elpPenStyle, static_cast<double>(r.elp.elpWidth), Rgb(r.elp.elpColor)};
      if (r.elp.elpBrushStyle == U_BS_NULL) pen.style = (pen.style & ~U_PS_STYLE_MASK) | U_PS_NULL;
      objects_[r.ihPen] = pen;
      break;
    }
    case U_EMR_CREATEBRUSHINDIRECT: {
      const auto& r = As<U_EMRCREATEBRUSHINDIRECT>();
      uint32_t style = r.lb.lbStyle;
      if (style != U_BS_NULL && style != U_BS_HATCHED) style = U_BS_SOLID;
      objects_[r.ihBrush] = BrushObject{style, Rgb(r.lb.lbColor), static_cast<int32_t>(r.lb.lbHatch)};
      break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW: {
      const auto& r = As<U_EMREXTCREATEFONTINDIRECTW>();
      const U_LOGFONT& lf = r.elfw.elfLogFont;
      FontObject f;
      f.height = lf.lfHeight;
      f.width = lf.lfWidth;
      f.escapement = lf.lfEscapement;
      f.weight = lf.lfWeight;
      f.italic = lf.lfItalic != 0;
      f.underline = lf.lfUnderline != 0;
      f.strikeOut = lf.lfStrikeOut != 0;
      f.charset = lf.lfCharSet;
      std::u16string face;
      for (int i = 0; i < U_LF_FACESIZE && lf.lfFaceName[i]; ++i) face.push_back(static_cast<char16_t>(lf.lfFaceName[i]));
      f.face = Utf8Of(face);
      objects_[r.ihFont] = f;
      break;
    }
    case U_EMR_POLYGON:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYLINETO16:
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYBEZIERTO16: {
      bool shortPoints = record.type >= U_EMR_POLYBEZIER16;
      uint32_t count = As<U_EMRPOLYLINE>().cptl;
      std::size_t first = shortPoints ? offsetof(U_EMRPOLYLINE16, apts) : offsetof(U_EMRPOLYLINE, aptl);
      std::size_t pointSize = shortPoints ? sizeof(U_POINT16) : sizeof(U_POINTL);
      if (first > Size() || count > (Size() - first) / pointSize) break;
      std::vector<EmfPointF> pts = Points(Raw() + first, count, shortPoints);
      uint32_t kind = shortPoints ? record.type - (U_EMR_POLYBEZIER16 - U_EMR_POLYBEZIER) : record.type;
      if (kind == U_EMR_POLYGON) {
        DrawPolygons({pts});
      } else if (kind == U_EMR_POLYLINE) {
        DrawPolylines({pts});
      } else if (kind == U_EMR_POLYBEZIER) {
        std::vector<EmfPointF> line;
        if (!pts.empty()) line.push_back(pts[0]);
        Curve(line, pts, 1);
        DrawPolylines({line});
      } else {  // ...TO: from the current position, which moves along
        std::vector<EmfPointF> line{dc_.current};
        if (kind == U_EMR_POLYLINETO)
          line.insert(line.end(), pts.begin(), pts.end());
        else
          Curve(line, pts, 0);
        if (inPath_) {
          for (std::size_t i = 1; i < line.size(); ++i) PathLine(line[i]);
        } else {
          DrawPolylines({line});
        }
        if (!pts.empty()) dc_.current = pts.back();
      }
      break;
    }
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16: {
      bool shortPoints = record.type >= U_EMR_POLYPOLYLINE16;
      const auto& r = As<U_EMRPOLYPOLYLINE>();
      std::size_t countsAt = offsetof(U_EMRPOLYPOLYLINE, aPolyCounts);
      std::size_t pointsAt = countsAt + static_cast<std::size_t>(r.nPolys) * 4;
      std::size_t pointSize = shortPoints ? sizeof(U_POINT16) : sizeof(U_POINTL);
      if (r.nPolys > Size() / 4 || pointsAt > Size() || r.cptl > (Size() - pointsAt) / pointSize) break;
      std::vector<EmfPointF> all = Points(Raw() + pointsAt, r.cptl, shortPoints);
      std::vector<std::vector<EmfPointF>> parts;
      std::size_t at = 0;
      for (uint32_t i = 0; i < r.nPolys; ++i) {
        uint32_t c;
        std::memcpy(&c, Raw() + countsAt + 4 * i, 4);
        if (c > all.size() - at) break;
        parts.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(at), all.begin() + static_cast<std::ptrdiff_t>(at + c));
        at += c;
      }
      if (record.type == U_EMR_POLYPOLYGON || record.type == U_EMR_POLYPOLYGON16)
        DrawPolygons(parts);
      else
        DrawPolylines(parts);
      break;
    }
    case U_EMR_RECTANGLE:
    case U_EMR_ROUNDRECT:
      DrawBox(As<U_EMRELLIPSE>().rclBox, false);
      break;
    case U_EMR_ELLIPSE:
      DrawBox(As<U_EMRELLIPSE>().rclBox, true);
      break;
    case U_EMR_INTERSECTCLIPRECT: {
      const U_RECTL& r = As<U_EMRELLIPSE>().rclBox;
      EmfPointF a = ToDevice(r.left, r.top), c = ToDevice(r.right, r.bottom);
      EmfRectF box{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
      if (dc_.clip) {
        box.left = std::max(box.left, dc_.clip->left);
        box.top = std::max(box.top, dc_.clip->top);
        box.right = std::min(box.right, dc_.clip->right);
        box.bottom = std::min(box.bottom, dc_.clip->bottom);
        if (box.right < box.left) box.right = box.left;
        if (box.bottom < box.top) box.bottom = box.top;
      }
      dc_.clip = box;
      target_.Clip(dc_.clip);
      break;
    }
    case U_EMR_BEGINPATH:
      inPath_ = true;
      path_.clear();
      pathClosed_.clear();
      break;
    case U_EMR_ENDPATH:
      inPath_ = false;
      break;
    case U_EMR_ABORTPATH:
      inPath_ = false;
      path_.clear();
      pathClosed_.clear();
      break;
    case U_EMR_CLOSEFIGURE:
      if (!pathClosed_.empty()) pathClosed_.back() = true;
      break;
    case U_EMR_FILLPATH:
      PathDraw(true, false);
      break;
    case U_EMR_STROKEANDFILLPATH:
      PathDraw(true, true);
      break;
    case U_EMR_STROKEPATH:
      PathDraw(false, true);
      break;
    case U_EMR_EXTTEXTOUTW:
      DrawText(true);
      break;
    case U_EMR_EXTTEXTOUTA:
      DrawText(false);
      break;
    case U_EMR_STRETCHDIBITS:
      DrawImage();
      break;
    default:
      break;
  }
}

}  // namespace

EmfRectF PictureRect(const EmfHeader& header) {
  double sx = header.deviceWidthUm > 0 ? header.deviceWidthPixels * 1000.0 / header.deviceWidthUm
                                       : static_cast<double>(header.deviceWidthPixels) / header.deviceWidthMm;
  double sy = header.deviceHeightUm > 0 ? header.deviceHeightPixels * 1000.0 / header.deviceHeightUm
                                        : static_cast<double>(header.deviceHeightPixels) / header.deviceHeightMm;
  return {header.frameLeft * sx / 100, header.frameTop * sy / 100, header.frameRight * sx / 100,
          header.frameBottom * sy / 100};
}

bool PlayMetafile(std::string_view data, EmfTarget& target, std::string* error) {
  std::vector<EmfRecord> records;
  if (!SplitEmf(data, records, error)) return false;
  std::optional<EmfHeader> header = ReadEmfHeader(data, error);
  if (!header) return false;
  Player player(*header, target);
  for (const EmfRecord& r : records) player.Play(r);
  return true;
}

}  // namespace kondra
