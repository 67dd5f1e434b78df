#include "env/EditState.h"

namespace kondra {

EditState Edit;

TInputType SaveInputState() {
  TInputType s;
  s.newInteger = Edit.newInteger;
  s.startInteger = Edit.startInteger;
  s.newValue = static_cast<float>(Edit.newValue);
  s.startValue = static_cast<float>(Edit.startValue);
  s.newText = Edit.newText;
  s.startText = Edit.startText;
  s.itemCode = Edit.itemCode;
  s.groupCode = Edit.groupCode;
  s.editing = Edit.editing;
  s.commitGuard = Edit.commitGuard;
  s.unchanged = Edit.unchanged;
  return s;
}

void RestoreInputState(const TInputType& s) {
  Edit.newInteger = s.newInteger;
  Edit.startInteger = s.startInteger;
  Edit.newValue = s.newValue;
  Edit.startValue = s.startValue;
  Edit.newText = s.newText;
  Edit.startText = s.startText;
  Edit.itemCode = s.itemCode;
  Edit.groupCode = s.groupCode;
  Edit.editing = s.editing;
  Edit.commitGuard = s.commitGuard;
  Edit.unchanged = s.unchanged;
}

}  // namespace kondra
