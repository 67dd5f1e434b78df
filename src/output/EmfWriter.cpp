#include "output/EmfWriter.h"

#include <uemf.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

namespace kondra {

namespace {

constexpr uint32_t kInitialBytes = 16 * 1024;
constexpr uint32_t kGrowBytes = 64 * 1024;

U_COLORREF ColorRef(int32_t rgb) {
  U_COLORREF c;
  c.Red = static_cast<uint8_t>(rgb & 0xFF);
  c.Green = static_cast<uint8_t>((rgb >> 8) & 0xFF);
  c.Blue = static_cast<uint8_t>((rgb >> 16) & 0xFF);
  c.Reserved = 0;
  return c;
}

U_RECTL RectL(const EmfRect& r) {
  U_RECTL out;
  out.left = r.left;
  out.top = r.top;
  out.right = r.right;
  out.bottom = r.bottom;
  return out;
}

U_POINTL PointL(EmfPoint p) {
  U_POINTL out;
  out.x = p.x;
  out.y = p.y;
  return out;
}

U_SIZEL SizeL(int32_t cx, int32_t cy) {
  U_SIZEL out;
  out.cx = cx;
  out.cy = cy;
  return out;
}

int64_t RoundDiv(int64_t n, int64_t d) { return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d); }

bool FitsShort(const std::vector<EmfPoint>& points) {
  return std::all_of(points.begin(), points.end(), [](EmfPoint p) {
    return p.x >= std::numeric_limits<int16_t>::min() && p.x <= std::numeric_limits<int16_t>::max() &&
           p.y >= std::numeric_limits<int16_t>::min() && p.y <= std::numeric_limits<int16_t>::max();
  });
}

std::vector<U_POINT16> Short(const std::vector<EmfPoint>& points) {
  std::vector<U_POINT16> out(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    out[i].x = static_cast<int16_t>(points[i].x);
    out[i].y = static_cast<int16_t>(points[i].y);
  }
  return out;
}

std::vector<U_POINTL> Long(const std::vector<EmfPoint>& points) {
  std::vector<U_POINTL> out(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) out[i] = PointL(points[i]);
  return out;
}

char* Checked(char* record) {
  if (!record) throw std::bad_alloc();
  return record;
}

}  // namespace

struct EmfWriter::State {
  EMFTRACK* track = nullptr;
  EMFHANDLES* handles = nullptr;
  // Selected objects: a handle of the table, or 0 while a stock object (or
  // nothing) is selected.
  uint32_t penHandle = 0;
  uint32_t brushHandle = 0;
  uint32_t fontHandle = 0;
  std::optional<EmfPen> pen;  // nothing: the null pen
  bool penKnown = false;
  std::optional<EmfBrush> brush;
  bool brushKnown = false;
  std::optional<EmfFont> font;
  // The device context's defaults.
  int32_t textColor = 0;
  int32_t bkColor = 0xFFFFFF;
  int32_t bkMode = kEmfBkOpaque;
  uint32_t textAlign = 0;
  int32_t rop2 = kEmfRopCopyPen;
  int32_t polyFillMode = kEmfFillAlternate;
  bool finished = false;

  ~State() {
    if (track) emf_free(&track);
    if (handles) emf_htable_free(&handles);
  }
};

EmfWriter::EmfWriter(int32_t width, int32_t height, const EmfDevice& device, std::string_view description,
                     int32_t unitsPerPixel)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      units_(std::max(1, unitsPerPixel)),
      device_(device),
      state_(std::make_unique<State>()) {
  if (device_.dpiX <= 0) device_.dpiX = 96;
  if (device_.dpiY <= 0) device_.dpiY = 96;
  if (device_.widthPixels <= 0) device_.widthPixels = 1920;
  if (device_.heightPixels <= 0) device_.heightPixels = 1080;

  // The track is set up by hand rather than by emf_start, which would open
  // the target file itself; the bytes are handed to the caller instead.
  auto* track = static_cast<EMFTRACK*>(std::malloc(sizeof(EMFTRACK)));
  if (!track) throw std::bad_alloc();
  std::memset(track, 0, sizeof(EMFTRACK));
  track->buf = static_cast<char*>(std::malloc(kInitialBytes));
  if (!track->buf) {
    std::free(track);
    throw std::bad_alloc();
  }
  track->allocated = kInitialBytes;
  track->chunk = kGrowBytes;
  state_->track = track;
  if (emf_htable_create(32, 32, &state_->handles) != 0) throw std::bad_alloc();

  // Header: the picture's bounds in pixels, its frame in 0.01 mm, the device.
  U_RECTL bounds = RectL({0, 0, width_ - 1, height_ - 1});
  U_RECTL frame = RectL({0, 0, static_cast<int32_t>(RoundDiv(int64_t{width_} * 2540, device_.dpiX)),
                         static_cast<int32_t>(RoundDiv(int64_t{height_} * 2540, device_.dpiY))});
  U_SIZEL pixels = SizeL(device_.widthPixels, device_.heightPixels);
  U_SIZEL mm = SizeL(static_cast<int32_t>(RoundDiv(int64_t{device_.widthPixels} * 254, int64_t{device_.dpiX} * 10)),
                     static_cast<int32_t>(RoundDiv(int64_t{device_.heightPixels} * 254, int64_t{device_.dpiY} * 10)));
  std::u16string text = u"Kondra";
  text.push_back(0);
  if (!description.empty()) {
    text += Utf16Of(description);
    text.push_back(0);
  }
  text.push_back(0);
  std::vector<uint16_t> desc(text.begin(), text.end());
  char* header = Checked(U_EMRHEADER_set(bounds, frame, nullptr, static_cast<U_CBSTR>(desc.size()), desc.data(),
                                         pixels, mm, 0));
  // The micrometre size is more exact than whole millimetres times 1000.
  auto* h = reinterpret_cast<U_EMRHEADER*>(header);
  h->szlMicrometers.cx = static_cast<int32_t>(RoundDiv(int64_t{device_.widthPixels} * 25400, device_.dpiX));
  h->szlMicrometers.cy = static_cast<int32_t>(RoundDiv(int64_t{device_.heightPixels} * 25400, device_.dpiY));
  Append(header);

  if (units_ > 1) {
    Append(Checked(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC)));
    Append(Checked(U_EMRSETWINDOWEXTEX_set(SizeL(width_ * units_, height_ * units_))));
    Append(Checked(U_EMRSETVIEWPORTEXTEX_set(SizeL(width_, height_))));
  }
}

EmfWriter::~EmfWriter() = default;

void EmfWriter::Append(char* record) {
  if (state_->finished) {
    std::free(record);
    return;
  }
  if (emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), state_->track, U_REC_FREE) != 0) {
    std::free(record);
    throw std::bad_alloc();
  }
}

uint32_t EmfWriter::RecordCount() const { return state_->track ? state_->track->records : 0; }

EmfRect EmfWriter::DeviceBounds(const std::vector<EmfPoint>& points, int32_t pad) const {
  if (points.empty()) return {0, 0, -1, -1};
  EmfRect r{points[0].x, points[0].y, points[0].x, points[0].y};
  for (EmfPoint p : points) {
    r.left = std::min(r.left, p.x);
    r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x);
    r.bottom = std::max(r.bottom, p.y);
  }
  r = DeviceBox(r);
  r.left -= pad;
  r.top -= pad;
  r.right += pad;
  r.bottom += pad;
  return r;
}

// Logical units to pixels, inclusive on both sides.
EmfRect EmfWriter::DeviceBox(const EmfRect& box) const {
  auto down = [this](int32_t v) { return static_cast<int32_t>(v >= 0 ? v / units_ : -((-v + units_ - 1) / units_)); };
  return {down(std::min(box.left, box.right)), down(std::min(box.top, box.bottom)),
          down(std::max(box.left, box.right)), down(std::max(box.top, box.bottom))};
}

void EmfWriter::DropPen() {
  if (state_->penHandle) {
    Append(Checked(deleteobject_set(&state_->penHandle, state_->handles)));
    state_->penHandle = 0;
  }
}

void EmfWriter::DropBrush() {
  if (state_->brushHandle) {
    Append(Checked(deleteobject_set(&state_->brushHandle, state_->handles)));
    state_->brushHandle = 0;
  }
}

void EmfWriter::UsePen(const EmfPen& pen) {
  if (pen.style == kEmfPenNull) {
    UseNullPen();
    return;
  }
  if (state_->penKnown && state_->pen && *state_->pen == pen) return;
  uint32_t handle = 0;
  if ((pen.style & kEmfPenGeometric) != 0) {
    PU_EXTLOGPEN elp = extlogpen_set(pen.style, static_cast<uint32_t>(std::max(0, pen.width)), U_BS_SOLID,
                                     ColorRef(pen.color), 0, 0, nullptr);
    if (!elp) throw std::bad_alloc();
    char* rec = extcreatepen_set(&handle, state_->handles, nullptr, 0, nullptr, elp);
    std::free(elp);
    Append(Checked(rec));
  } else {
    U_POINT width;
    width.x = std::max(0, pen.width);
    width.y = 0;
    Append(Checked(createpen_set(&handle, state_->handles, logpen_set(pen.style, width, ColorRef(pen.color)))));
  }
  Append(Checked(selectobject_set(handle, state_->handles)));
  DropPen();
  state_->penHandle = handle;
  state_->pen = pen;
  state_->penKnown = true;
}

void EmfWriter::UseNullPen() {
  if (state_->penKnown && !state_->pen) return;
  Append(Checked(selectobject_set(U_NULL_PEN, state_->handles)));
  DropPen();
  state_->pen.reset();
  state_->penKnown = true;
}

void EmfWriter::UseBrush(const EmfBrush& brush) {
  if (brush.style == kEmfBrushNull) {
    UseNullBrush();
    return;
  }
  if (state_->brushKnown && state_->brush && *state_->brush == brush) return;
  uint32_t handle = 0;
  Append(Checked(createbrushindirect_set(&handle, state_->handles,
                                         logbrush_set(brush.style, ColorRef(brush.color), brush.hatch))));
  Append(Checked(selectobject_set(handle, state_->handles)));
  DropBrush();
  state_->brushHandle = handle;
  state_->brush = brush;
  state_->brushKnown = true;
}

void EmfWriter::UseNullBrush() {
  if (state_->brushKnown && !state_->brush) return;
  Append(Checked(selectobject_set(U_NULL_BRUSH, state_->handles)));
  DropBrush();
  state_->brush.reset();
  state_->brushKnown = true;
}

void EmfWriter::UseFont(const EmfFont& font) {
  if (state_->font && *state_->font == font) return;
  std::u16string face = Utf16Of(font.face);
  if (face.size() > 31) face.resize(31);
  uint16_t faceName[U_LF_FACESIZE] = {};
  std::copy(face.begin(), face.end(), faceName);
  U_LOGFONT lf = logfont_set(font.height, font.width, font.escapement, font.escapement, font.weight,
                             font.italic ? 1 : 0, font.underline ? 1 : 0, font.strikeOut ? 1 : 0, font.charset,
                             U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                             U_DEFAULT_PITCH | U_FF_DONTCARE, faceName);
  U_PANOSE panose = panose_set(0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  uint16_t style[1] = {0};
  U_LOGFONT_PANOSE elf = logfont_panose_set(lf, faceName, style, 0, panose);
  uint32_t handle = 0;
  Append(Checked(extcreatefontindirectw_set(&handle, state_->handles, nullptr, reinterpret_cast<const char*>(&elf))));
  Append(Checked(selectobject_set(handle, state_->handles)));
  if (state_->fontHandle) Append(Checked(deleteobject_set(&state_->fontHandle, state_->handles)));
  state_->fontHandle = handle;
  state_->font = font;
}

void EmfWriter::SetTextColor(int32_t rgb) {
  rgb &= 0xFFFFFF;
  if (state_->textColor == rgb) return;
  Append(Checked(U_EMRSETTEXTCOLOR_set(ColorRef(rgb))));
  state_->textColor = rgb;
}

void EmfWriter::SetBkColor(int32_t rgb) {
  rgb &= 0xFFFFFF;
  if (state_->bkColor == rgb) return;
  Append(Checked(U_EMRSETBKCOLOR_set(ColorRef(rgb))));
  state_->bkColor = rgb;
}

void EmfWriter::SetBkMode(int32_t mode) {
  if (state_->bkMode == mode) return;
  Append(Checked(U_EMRSETBKMODE_set(static_cast<uint32_t>(mode))));
  state_->bkMode = mode;
}

void EmfWriter::SetTextAlign(uint32_t align) {
  if (state_->textAlign == align) return;
  Append(Checked(U_EMRSETTEXTALIGN_set(align)));
  state_->textAlign = align;
}

void EmfWriter::SetRop2(int32_t rop) {
  if (state_->rop2 == rop) return;
  Append(Checked(U_EMRSETROP2_set(static_cast<uint32_t>(rop))));
  state_->rop2 = rop;
}

void EmfWriter::SetPolyFillMode(int32_t mode) {
  if (state_->polyFillMode == mode) return;
  Append(Checked(U_EMRSETPOLYFILLMODE_set(static_cast<uint32_t>(mode))));
  state_->polyFillMode = mode;
}

void EmfWriter::MoveTo(EmfPoint p) { Append(Checked(U_EMRMOVETOEX_set(PointL(p)))); }

void EmfWriter::LineTo(EmfPoint p) { Append(Checked(U_EMRLINETO_set(PointL(p)))); }

void EmfWriter::Polyline(const std::vector<EmfPoint>& points) {
  if (points.empty()) return;
  int32_t pad = state_->pen ? state_->pen->width / (2 * units_) : 0;
  U_RECTL bounds = RectL(DeviceBounds(points, pad));
  auto n = static_cast<uint32_t>(points.size());
  if (FitsShort(points)) {
    std::vector<U_POINT16> pts = Short(points);
    Append(Checked(U_EMRPOLYLINE16_set(bounds, n, pts.data())));
  } else {
    std::vector<U_POINTL> pts = Long(points);
    Append(Checked(U_EMRPOLYLINE_set(bounds, n, pts.data())));
  }
}

void EmfWriter::Polygon(const std::vector<EmfPoint>& points) {
  if (points.empty()) return;
  int32_t pad = state_->pen ? state_->pen->width / (2 * units_) : 0;
  U_RECTL bounds = RectL(DeviceBounds(points, pad));
  auto n = static_cast<uint32_t>(points.size());
  if (FitsShort(points)) {
    std::vector<U_POINT16> pts = Short(points);
    Append(Checked(U_EMRPOLYGON16_set(bounds, n, pts.data())));
  } else {
    std::vector<U_POINTL> pts = Long(points);
    Append(Checked(U_EMRPOLYGON_set(bounds, n, pts.data())));
  }
}

void EmfWriter::PolyPolygon(const std::vector<std::vector<EmfPoint>>& polygons) {
  std::vector<EmfPoint> all;
  std::vector<uint32_t> counts;
  for (const auto& p : polygons) {
    if (p.empty()) continue;
    all.insert(all.end(), p.begin(), p.end());
    counts.push_back(static_cast<uint32_t>(p.size()));
  }
  if (all.empty()) return;
  int32_t pad = state_->pen ? state_->pen->width / (2 * units_) : 0;
  U_RECTL bounds = RectL(DeviceBounds(all, pad));
  auto nPolys = static_cast<uint32_t>(counts.size());
  auto n = static_cast<uint32_t>(all.size());
  if (FitsShort(all)) {
    std::vector<U_POINT16> pts = Short(all);
    Append(Checked(U_EMRPOLYPOLYGON16_set(bounds, nPolys, counts.data(), n, pts.data())));
  } else {
    std::vector<U_POINTL> pts = Long(all);
    Append(Checked(U_EMRPOLYPOLYGON_set(bounds, nPolys, counts.data(), n, pts.data())));
  }
}

void EmfWriter::PolyPolyline(const std::vector<std::vector<EmfPoint>>& lines) {
  std::vector<EmfPoint> all;
  std::vector<uint32_t> counts;
  for (const auto& p : lines) {
    if (p.size() < 2) continue;
    all.insert(all.end(), p.begin(), p.end());
    counts.push_back(static_cast<uint32_t>(p.size()));
  }
  if (all.empty()) return;
  int32_t pad = state_->pen ? state_->pen->width / (2 * units_) : 0;
  U_RECTL bounds = RectL(DeviceBounds(all, pad));
  auto nPolys = static_cast<uint32_t>(counts.size());
  auto n = static_cast<uint32_t>(all.size());
  if (FitsShort(all)) {
    std::vector<U_POINT16> pts = Short(all);
    Append(Checked(U_EMRPOLYPOLYLINE16_set(bounds, nPolys, counts.data(), n, pts.data())));
  } else {
    std::vector<U_POINTL> pts = Long(all);
    Append(Checked(U_EMRPOLYPOLYLINE_set(bounds, nPolys, counts.data(), n, pts.data())));
  }
}

void EmfWriter::Rectangle(const EmfRect& box) { Append(Checked(U_EMRRECTANGLE_set(RectL(box)))); }

void EmfWriter::Ellipse(const EmfRect& box) { Append(Checked(U_EMRELLIPSE_set(RectL(box)))); }

void EmfWriter::TextOut(EmfPoint origin, const std::u16string& text, const std::vector<int32_t>& dx,
                        const EmfRect& box, bool opaque) {
  if (text.empty()) return;
  std::vector<uint16_t> chars(text.begin(), text.end());
  std::vector<uint32_t> advances(text.size(), 0);
  for (std::size_t i = 0; i < advances.size() && i < dx.size(); ++i)
    advances[i] = static_cast<uint32_t>(std::max(0, dx[i]));
  uint32_t options = opaque ? U_ETO_OPAQUE : 0;
  char* emrtext = emrtext_set(PointL(origin), static_cast<U_NUM_STR>(chars.size()), 2, chars.data(), options,
                              RectL(box), advances.data());
  if (!emrtext) throw std::bad_alloc();
  // Scale from logical units to 0.01 mm, which readers use in the
  // compatible graphics mode.
  auto ex = static_cast<U_FLOAT>(2540.0 / device_.dpiX / units_);
  auto ey = static_cast<U_FLOAT>(2540.0 / device_.dpiY / units_);
  char* record = U_EMREXTTEXTOUTW_set(RectL(DeviceBox(box)), U_GM_COMPATIBLE, ex, ey,
                                      reinterpret_cast<PU_EMRTEXT>(emrtext));
  std::free(emrtext);
  Append(Checked(record));
}

void EmfWriter::StretchImage(const EmfRect& dest, int32_t w, int32_t h, const std::vector<uint8_t>& rgb) {
  if (w <= 0 || h <= 0 || rgb.size() < static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3) return;
  // A bottom-up 24-bit DIB, rows padded to 4 bytes, blue first.
  std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  std::vector<char> px(stride * static_cast<std::size_t>(h), 0);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* src = rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 3;
    char* dst = px.data() + static_cast<std::size_t>(h - 1 - y) * stride;
    for (int32_t x = 0; x < w; ++x) {
      dst[3 * x] = static_cast<char>(src[3 * x + 2]);
      dst[3 * x + 1] = static_cast<char>(src[3 * x + 1]);
      dst[3 * x + 2] = static_cast<char>(src[3 * x]);
    }
  }
  U_BITMAPINFOHEADER bmih =
      bitmapinfoheader_set(w, h, 1, 24, U_BI_RGB, static_cast<uint32_t>(px.size()), 3780, 3780, 0, 0);
  PU_BITMAPINFO bmi = bitmapinfo_set(bmih, nullptr);
  if (!bmi) throw std::bad_alloc();
  U_POINTL destPoint = PointL({std::min(dest.left, dest.right), std::min(dest.top, dest.bottom)});
  U_POINTL destSize = PointL({std::abs(dest.right - dest.left), std::abs(dest.bottom - dest.top)});
  char* record = U_EMRSTRETCHDIBITS_set(RectL(DeviceBox(dest)), destPoint, destSize, PointL({0, 0}), PointL({w, h}),
                                        U_DIB_RGB_COLORS, U_SRCCOPY, bmi, static_cast<uint32_t>(px.size()),
                                        px.data());
  std::free(bmi);
  Append(Checked(record));
}

void EmfWriter::SaveDC() { Append(Checked(U_EMRSAVEDC_set())); }

void EmfWriter::RestoreDC() {
  Append(Checked(U_EMRRESTOREDC_set(-1)));
  // The objects and modes are what they were at the save: forget what is
  // known so the next use writes them again.
  state_->penKnown = false;
  state_->brushKnown = false;
  state_->font.reset();
  state_->textColor = -1;
  state_->bkColor = -1;
  state_->bkMode = -1;
  state_->textAlign = 0xFFFFFFFF;
  state_->rop2 = -1;
  state_->polyFillMode = -1;
}

void EmfWriter::IntersectClipRect(const EmfRect& box) { Append(Checked(U_EMRINTERSECTCLIPRECT_set(RectL(box)))); }

std::string EmfWriter::Finish() {
  if (state_->finished) return {};
  // Back to the stock objects, so every created object can be deleted.
  if (state_->penHandle) {
    Append(Checked(selectobject_set(U_BLACK_PEN, state_->handles)));
    DropPen();
  }
  if (state_->brushHandle) {
    Append(Checked(selectobject_set(U_WHITE_BRUSH, state_->handles)));
    DropBrush();
  }
  if (state_->fontHandle) {
    Append(Checked(selectobject_set(U_DEVICE_DEFAULT_FONT, state_->handles)));
    Append(Checked(deleteobject_set(&state_->fontHandle, state_->handles)));
  }
  Append(Checked(U_EMREOF_set(0, nullptr, state_->track)));
  state_->finished = true;
  EMFTRACK* t = state_->track;
  auto* header = reinterpret_cast<U_EMRHEADER*>(t->buf);
  header->nBytes = static_cast<uint32_t>(t->used);
  header->nRecords = t->records;
  header->nHandles = static_cast<uint16_t>(state_->handles->peak + 1);
  header->nPalEntries = t->PalEntries;
  return std::string(t->buf, t->used);
}

}  // namespace kondra
