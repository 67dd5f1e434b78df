// Numbers typed by the user, numbers shown to the user, and the checks in
// between.
//
// Every value typed into an edit box or grid cell passes through
// NormalizeInput: it is read as a number of the box's kind (or, for boxes
// that allow it, as a short left-to-right expression), limited to the kind's
// range and written back in the box's fixed width and precision. Widths are
// CP932 bytes (see Cp932.h). Nothing here raises: bad input reads as 0,
// expressions that cannot be worked out warn and give 0, a refused row list
// shows error 700.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

// Works out an expression such as "1,200*2+5" strictly from left to right
// (no precedence, no parentheses, at most 12 operators from "+-*/="). A zero
// divisor leaves the value as it is; "=" ends the useful part. Warns (kind 3)
// and gives 0 for two-byte characters, parentheses and too many operators.
double Evaluate(std::string_view text);

// The text of a box after Tab or Enter: kind is a TEditType, m the box's
// maximum length (0: no fixed width), d its decimals. A float that does not
// fit its width gives the start text of the edit in progress back; a date or
// time that is not valid gives the cell text before editing back.
std::string NormalizeInput(int kind, int m, int d, std::string_view text, bool calculable, bool zeroDisplay,
                           bool negativesAllowed);

// A value of the given kind in m bytes (0 counts as 8) with d decimals; empty
// for 0 without zero display.
std::string FormatValue(int kind, int m, int d, double value, bool zeroDisplay, bool negativesAllowed);

// A single with d decimals, exactly m bytes wide (the rightmost m when the
// number is longer); 0 is written "0". With m = 0: width 10, no leading blanks.
std::string FormatSingle(int m, int d, float value);

// printf into a string, for numbers (at most 255 bytes); texts are padded by
// CP932 bytes with PadRight, not by a printf width.
std::string FormatPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf "%*d".
std::string FormatInt(int width, int64_t value);

// With thousands separators, right-aligned in width (0: no blanks in front).
std::string FormatGrouped(int width, int64_t value);

// True when the value is 0, n <= 0, or -10^n < value < 10^n.
bool FitsDigits(double value, int n);

// min(b1, b2) <= value <= max(b1, b2).
bool InRange(int64_t value, int64_t b1, int64_t b2);
bool InRangeF(float value, float b1, float b2);

// "yy/mm/dd" or "yyyy/mm/dd"; the date and time joined by a blank; "hh:mm:ss".
bool ValidDate(std::string_view text);
bool ValidDateTime(std::string_view text);
bool ValidTime(std::string_view text);

// Years below 100 are 2000 + year below 50, else 1900 + year.
bool IsLeapYear(int year);

// Writes out the ranges of a row list ("1,3..5" -> "1,3,4,5"). A list with
// anything but digits, "," and "." in it, a "...", a range without a number
// on either side, a backward range or one of more than 999 numbers is
// refused: error 700 in the status bar, MsgYes false, the text returned as it
// was. An accepted list (also an empty one) sets MsgYes true.
std::string ExpandRanges(std::string_view text);

// The numbers of a row list, in order, at most 999; MsgYes = any found.
int ParseNumberList(std::string_view text, std::vector<int32_t>& numbers);

// Degrees and minutes written as dd.mm, e.g. 35.42 -> " 35ﾟ42'".
std::string DegMinText(double value);

// The current time as "yymmddhhmmss", "yyyy/mm/dd hh:mm:ss" and the report's
// "20yy/mm/dd hh:mm:ss"; the forms with a time take that moment instead.
std::string NowStamp();
std::string NowText();
std::string ReportStamp();
std::string NowStamp(std::time_t moment);
std::string NowText(std::time_t moment);
std::string ReportStamp(std::time_t moment);

}  // namespace kondra
