// Colour numbers and the palette file.
//
// Every colour the program draws with is named by a colour number and turned
// into an RGB value here. Numbers 0 … 255 are entries of the user-editable
// palette file named in environment row 20 (in ColorDir); larger numbers (and
// numbers of -255 and below) are RGB values themselves; -1 … -15 are palette
// entries too; the remaining negative numbers are the system's colours
// (desktop, window background, button face), which the gui supplies through
// a hook.
//
// RGB values are in the Windows order the palette file uses: red in the low
// byte, green in the second, blue in the third; the high byte is ignored when
// drawing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace kondra {

// The 256 palette entries; all black until a palette file has been read.
extern std::array<int32_t, 256> Palette;
// The palette file last read into Palette (also when that read failed, so a
// broken file is reported once, not at every lookup); emptying it makes the
// next lookup read the file again (start-up does).
extern std::string PaletteLoadedFrom;

// The palette file named by the environment: ColorDir + row 20 (blanks around
// the name removed); empty when row 20 names no file.
std::string PaletteFileName();

// The RGB value of a colour number. First re-reads the palette file when the
// environment names one that exists and differs from PaletteLoadedFrom; a
// file that cannot be read or is short is reported in the status bar.
int32_t ColorOf(int32_t code);

// Reads a palette file into Palette: line k + 1 holds colour k in its
// characters 7 to 13, a whole number (decimal, or hexadecimal after "$", so
// white fits as "$FFFFFF"). Entries without a line become black. Returns the
// number of lines read (at most 256), or -1 when the file cannot be read;
// then Palette is unchanged and `error` (when given) says why. Does not touch
// PaletteLoadedFrom.
int ReadPaletteFile(const std::string& path, std::string* error = nullptr);

// The system colours behind the negative colour numbers.
enum class SystemColor { Desktop, WindowBackground, ButtonFace };
using SystemColorHook = std::function<int32_t(SystemColor)>;
// Installs the platform's system colours; an empty hook goes back to the
// headless defaults (teal desktop, white window, light grey button face).
void SetSystemColorHook(SystemColorHook hook);
int32_t SystemColorOf(SystemColor which);

inline constexpr int32_t RgbValue(int r, int g, int b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
inline constexpr int RedOf(int32_t rgb) { return rgb & 0xFF; }
inline constexpr int GreenOf(int32_t rgb) { return (rgb >> 8) & 0xFF; }
inline constexpr int BlueOf(int32_t rgb) { return (rgb >> 16) & 0xFF; }

}  // namespace kondra
