// The one record of the edit in progress, shared by every window, the message
// box (which saves and restores part of it) and the number formatting.
#pragma once

#include <cstdint>
#include <string>

namespace kondra {

// Kinds of typed value, numbered 0 to 9 in this order.
enum TEditType : int {
  etByte = 0,
  etChar = 1,
  etDate = 2,
  etDateTime = 3,
  etFloat = 4,
  etInteger = 5,
  etSmallInt = 6,
  etString = 7,
  etTime = 8,
  etWord = 9,
};

struct CellRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Navigation codes kept in `lastKey`.
enum EditKey : int {
  kKeyNone = 0,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyEsc = 27,
  kKeyUp = 241,
  kKeyDown = 242,
  kKeyLeft = 243,
  kKeyRight = 244,
  kKeyPageUp = 245,
  kKeyPageDown = 246,
  kKeyInsert = 247,
  kKeyDelete = 248,
};

struct EditState {
  int32_t itemCode = 0;
  int32_t groupCode = 0;
  // The controls being edited; opaque to the core (the windows own them).
  void* currentEdit = nullptr;
  void* currentCombo = nullptr;
  void* currentGrid = nullptr;
  int32_t column = 0;
  int32_t row = 0;
  CellRect cellRect;
  std::string cellTextBefore;

  std::string startText;
  double startValue = 0;
  int32_t startInteger = 0;
  int32_t startIndex = 0;
  std::string newText;
  double newValue = 0;
  int32_t newInteger = 0;
  int32_t newIndex = 0;

  bool unchanged = true;
  bool editing = false;
  bool modified = false;
  bool savedModified = false;
  bool commitGuard = false;
  int32_t lastKey = kKeyNone;
  bool overwrite = false;

  // Settings of the current editor.
  int32_t editType = etString;
  int32_t maxLength = 0;
  int32_t underPoint = 0;
  bool underInput = false;
  bool zeroDisplay = false;
  bool calcuable = false;
  bool activeIsCombo = false;
};

extern EditState Edit;

// The part of the edit state a message box saves and puts back. The values
// pass through single precision on the way.
struct TInputType {
  int32_t newInteger = 0;
  int32_t startInteger = 0;
  float newValue = 0;
  float startValue = 0;
  std::string newText;
  std::string startText;
  int32_t itemCode = 0;
  int32_t groupCode = 0;
  bool editing = false;
  bool commitGuard = false;
  bool unchanged = true;
};

TInputType SaveInputState();
void RestoreInputState(const TInputType& saved);

}  // namespace kondra
