// The room condition the visual humidity tool hands to the main window.
//
// When the user adopts the tool's condition, the tool puts ten characters
// into the edit state's new text (Edit.newText): the temperature in
// characters 1–5 (one decimal) and the relative humidity in characters 6–10
// (no decimals), and raises AdoptIndoor. The main window, when it is next
// activated, reads both with ReadHandover, stores them as side B's
// temperature and humidity and lowers the flag. Nothing here needs Qt.
//
// The text is kept a second time, apart from the edit state: a field of the
// main window that is being edited when the room is adopted rewrites
// Edit.newText before the main window takes the room, and the room must
// still arrive.
#pragma once

#include <string>
#include <string_view>

#include "env/EditState.h"
#include "env/Numbers.h"
#include "env/Text.h"

namespace kondra {

// Raised by the visual humidity tool when its room condition is to become
// side B's condition; lowered by the tool on each of its activations and by
// the main window once it has taken the values.
inline bool AdoptIndoor = false;

// " 24.0   45" for 24 °C and 45 %.
inline std::string HandoverText(float temp, float relHum) {
  return FormatSingle(5, 1, temp) + FormatSingle(5, 0, relHum);
}

// Reads the two values back (characters 1–5 and 6–10). False, values
// untouched, for a text that does not hold them.
inline bool ReadHandover(std::string_view text, float& temp, float& relHum) {
  if (text.size() < 10) return false;
  const std::string first = TrimBoth(text.substr(0, 5));
  const std::string second = TrimBoth(text.substr(5, 5));
  if (first.empty() || second.empty()) return false;
  temp = static_cast<float>(TextToFloat(first));
  relHum = static_cast<float>(TextToFloat(second));
  return true;
}

// The handed-over text as the tool left it (empty when nothing is handed over).
inline std::string HandedOverText;

// What the tool does when the user adopts its room: the text into the edit
// state and into its own keeping, and the flag raised.
inline void HandOverRoom(float temp, float relHum) {
  HandedOverText = HandoverText(temp, relHum);
  Edit.newText = HandedOverText;
  AdoptIndoor = true;
}

// What the main window does with a raised flag: reads the room (the kept
// text, or the edit state's when nothing was kept), lowers the flag and
// forgets the text. False, values untouched, when no room can be read.
inline bool TakeHandedOverRoom(float& temp, float& relHum) {
  const std::string text = HandedOverText.empty() ? Edit.newText : HandedOverText;
  HandedOverText.clear();
  AdoptIndoor = false;
  return ReadHandover(text, temp, relHum);
}

}  // namespace kondra
