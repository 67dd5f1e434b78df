#include "output/Palette.h"

#include <string_view>

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Text.h"

namespace kondra {

std::array<int32_t, 256> Palette{};
std::string PaletteLoadedFrom;

namespace {

constexpr int kPaletteSize = 256;
// Characters 7 to 13 of a line hold the colour.
constexpr std::size_t kValueStart = 6;
constexpr std::size_t kValueWidth = 7;
// A palette file is 256 short lines; anything far larger is not one.
constexpr int64_t kPaletteFileLimit = 1024 * 1024;

SystemColorHook g_systemColors;

int32_t HeadlessSystemColor(SystemColor which) {
  switch (which) {
    case SystemColor::Desktop:
      return RgbValue(0, 128, 128);
    case SystemColor::WindowBackground:
      return RgbValue(255, 255, 255);
    case SystemColor::ButtonFace:
      break;
  }
  return RgbValue(240, 240, 240);
}

// Reads the palette the environment names when it is not the one in Palette.
void RefreshPalette() {
  std::string path = PaletteFileName();
  if (path.empty() || path == PaletteLoadedFrom || !fs::Exists(path)) return;
  PaletteLoadedFrom = path;
  std::string error;
  int lines = ReadPaletteFile(path, &error);
  if (lines < 0) {
    StatusMsg("表示色ﾌｧｲﾙ<" + path + ">を読めません。" + error);
  } else if (lines < kPaletteSize) {
    StatusMsg("表示色ﾌｧｲﾙ<" + path + ">には" + std::to_string(lines) + "色しかありません。");
  }
}

}  // namespace

std::string PaletteFileName() {
  std::string name = TrimBoth(EnvRow[20]);
  if (name.empty()) return std::string();
  return ColorDir + name;
}

int ReadPaletteFile(const std::string& path, std::string* error) {
  std::string bytes;
  if (!fs::ReadWhole(path, bytes, error, kPaletteFileLimit)) return -1;
  std::array<int32_t, 256> read{};
  int lines = 0;
  std::string_view rest(bytes);
  while (!rest.empty() && lines < kPaletteSize) {
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // The colour field holds digits only, which are never part of a two-byte
    // character, so the bytes are sliced as they are.
    std::string_view field = line.size() > kValueStart ? line.substr(kValueStart, kValueWidth) : std::string_view();
    read[lines++] = ClampToInt32(TextToInt(field));
  }
  Palette = read;
  return lines;
}

int32_t ColorOf(int32_t code) {
  RefreshPalette();
  if (code >= 0 && code <= 255) return Palette[code];
  if (code >= 256 || code <= -255) return code;
  if (code >= -15) return Palette[-code];
  if (code == -17) return SystemColorOf(SystemColor::Desktop);
  if (code == -21) return SystemColorOf(SystemColor::WindowBackground);
  return SystemColorOf(SystemColor::ButtonFace);
}

void SetSystemColorHook(SystemColorHook hook) { g_systemColors = std::move(hook); }

int32_t SystemColorOf(SystemColor which) {
  return g_systemColors ? g_systemColors(which) : HeadlessSystemColor(which);
}

}  // namespace kondra
