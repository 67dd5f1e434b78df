// Enhanced metafiles as bytes: the reference device they are made for, their
// header, a checked walk over their records, and the rewrite of the header
// for another resolution.
//
// The header's frame is the picture's size in hundredths of a millimetre;
// its device size (pixels, millimetres and micrometres) describes the device
// the picture was drawn for. A program showing the picture takes its size in
// pixels from the frame and that device, so rewriting the header for a
// resolution changes the size a picture has on every device while its
// records stay as they are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

// The device a metafile is drawn for.
struct EmfDevice {
  int32_t widthPixels = 1920;
  int32_t heightPixels = 1080;
  int32_t dpiX = 96;
  int32_t dpiY = 96;
  friend bool operator==(const EmfDevice&, const EmfDevice&) = default;
};

// The screen. Until the gui sets the real one this is a 1920 × 1080 screen
// at 96 dots per inch.
EmfDevice MetafileScreen();
void SetMetafileScreen(const EmfDevice& screen);

// Metafile texts are UTF-16. A malformed sequence becomes U+FFFD.
std::u16string Utf16Of(std::string_view utf8);
std::string Utf8Of(std::u16string_view utf16);

// Record types used by the program.
inline constexpr uint32_t kEmrHeader = 1;
inline constexpr uint32_t kEmrEof = 14;
inline constexpr uint32_t kEmrExtTextOutW = 84;
inline constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"

struct EmfHeader {
  int32_t boundsLeft = 0, boundsTop = 0, boundsRight = 0, boundsBottom = 0;  // device pixels, inclusive
  int32_t frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;      // 0.01 mm
  uint32_t bytes = 0;    // size of the metafile as the header gives it
  uint32_t records = 0;  // number of records, header and end record included
  uint16_t handles = 0;  // object table size, slot 0 included
  std::string description;  // UTF-8; the two texts joined by "/"
  int32_t deviceWidthPixels = 0, deviceHeightPixels = 0;
  int32_t deviceWidthMm = 0, deviceHeightMm = 0;
  int32_t deviceWidthUm = 0, deviceHeightUm = 0;  // 0 when the header has no micrometre size
  uint32_t headerSize = 0;

  // The picture's size in pixels at `dpi` (frame width × dpi / 2540, rounded).
  int32_t WidthAt(int32_t dpi) const;
  int32_t HeightAt(int32_t dpi) const;
  // The picture's size in pixels of the device it was made for.
  int32_t DeviceWidth() const;
  int32_t DeviceHeight() const;
};

// One record: its type and all its bytes (type and size included).
struct EmfRecord {
  uint32_t type = 0;
  std::string_view bytes;
};

// Splits a metafile into its records. Fails (with `error` saying why) unless
// the first record is a header with the metafile signature, every record's
// size is a multiple of 4, at least 8 and within the data, and the last
// record is the end record.
bool SplitEmf(std::string_view data, std::vector<EmfRecord>& records, std::string* error = nullptr);
std::optional<EmfHeader> ReadEmfHeader(std::string_view data, std::string* error = nullptr);

// Rewrites the header for dpiX × dpiY (0 takes the screen's): the picture's
// size in pixels of its device stays, the frame becomes that many pixels at
// the new resolution, and the device's size in millimetres (and micrometres,
// when the header has them) becomes its pixels at the new resolution. Every
// other byte stays as it was. False, with `error`, for data that is not an
// enhanced metafile.
bool SetMetafileResolution(std::string& data, int32_t dpiX, int32_t dpiY, std::string* error = nullptr);

}  // namespace kondra
