// The record store: the in-memory form of a record file (a calculation,
// ".KDR"), whose every line is one labelled record of 88 bytes:
//
//   columns 1-6    label field "№1102" (a label of 10000 or more: six digits)
//   columns 7-12   type code with its brackets, "<VV8> "
//   columns 13-24  three head fields of 4 bytes
//   columns 25-88  payload, cut into fields by the type code
//
// Widths are CP932 bytes (a name of ten kanji fills a 20-byte field). A
// record is addressed by label and type code. Reading fills the type's one
// process-wide scratch record `SLDT_<code>`; writing formats the scratch
// record back into the line. The usual pattern is Read, change fields, Write.
//
// Writers never let a field spill into the next: a text longer than its
// field is cut (never inside a character, and the cut text stays in the
// scratch record); a number that does not fit its field at the chosen
// precision (or is not finite) refuses the whole write with a status-bar
// message naming the record and the value, and the old line stays as it was.
// Control characters in texts are written as blanks. Numbers are rounded
// half away from zero.
//
// Files are CP932 with CR LF. Loading refuses (with a message naming the
// file and the reason, store left empty) anything that is not a text file;
// saving refuses a text without CP932 form and writes atomically.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

inline constexpr const char* kProgramName = "Kondra.EXE Ver.8.20";
inline constexpr int kRecordWidth = 88;

// The lines of one record file (line 0 is normally the header line).
struct RecordStore {
  std::vector<std::string> lines;
  bool operator==(const RecordStore&) const = default;
};

// The common fields of every scratch record ([1..3], index 0 unused).
struct TSLDTHead {
  std::string Label;     // "№1102", at most 6 bytes
  std::string TypeCode;  // "<VV8>", at most 6 bytes
  std::array<std::string, 4> HeadText;
  std::array<int32_t, 4> HeadValue{};
};

// The four types the program writes, with their own field names.
struct TSLDT_SS1 : TSLDTHead {
  std::string Text;  // 60 bytes
};
struct TSLDT_VV8 : TSLDTHead {
  std::array<float, 9> Value{};  // [1..8], 8 bytes each
};
struct TSLDT_NS2 : TSLDTHead {
  std::array<int32_t, 3> Number{};  // [1..2], 3 bytes each
  std::array<std::string, 3> Name;  // [1..2], 29 bytes each
};
struct TSLDT_NSV5 : TSLDTHead {
  int32_t Number = 0;            // 3 bytes
  std::string Name;              // 20 bytes
  std::array<float, 6> Value{};  // [1..5], 8 bytes each
};

// Every other type code is read only. Its payload fields, in column order,
// go by kind into Text[1..] (texts, names included), Number[1..] (32-bit
// integers, hexadecimal fields included), Value[1..] (singles) and Big[1..]
// (64-bit integers). An HH12 field keeps its text in Text[k] and its value
// in Number[k].
template <int NText, int NNumber, int NValue, int NBig = 0>
struct TSLDTRecord : TSLDTHead {
  std::array<std::string, NText + 1> Text;
  std::array<int32_t, NNumber + 1> Number{};
  std::array<float, NValue + 1> Value{};
  std::array<int64_t, NBig + 1> Big{};
};

using TSLDT_AA0 = TSLDTRecord<1, 0, 0>;
using TSLDT_SS0 = TSLDTRecord<1, 0, 0>;
using TSLDT_AA1 = TSLDTRecord<1, 0, 0>;
using TSLDT_AA2 = TSLDTRecord<2, 0, 0>;
using TSLDT_SS2 = TSLDTRecord<2, 0, 0>;
using TSLDT_AA3 = TSLDTRecord<3, 0, 0>;
using TSLDT_SS3 = TSLDTRecord<3, 0, 0>;
using TSLDT_AA4 = TSLDTRecord<4, 0, 0>;
using TSLDT_SS4 = TSLDTRecord<4, 0, 0>;
using TSLDT_SS8 = TSLDTRecord<8, 0, 0>;
using TSLDT_SS16 = TSLDTRecord<16, 0, 0>;
using TSLDT_SS20 = TSLDTRecord<20, 0, 0>;
using TSLDT_SS24 = TSLDTRecord<25, 0, 0>;
using TSLDT_SS64 = TSLDTRecord<64, 0, 0>;
using TSLDT_NN8 = TSLDTRecord<0, 8, 0>;
using TSLDT_MM8 = TSLDTRecord<0, 8, 0>;
using TSLDT_NN10 = TSLDTRecord<0, 10, 0>;
using TSLDT_MM10 = TSLDTRecord<0, 10, 0>;
using TSLDT_NN12 = TSLDTRecord<0, 12, 0>;
using TSLDT_MM12 = TSLDTRecord<0, 12, 0>;
using TSLDT_PX12 = TSLDTRecord<0, 12, 0>;
using TSLDT_PY12 = TSLDTRecord<0, 12, 0>;
using TSLDT_NN13 = TSLDTRecord<1, 13, 0>;
using TSLDT_NN16 = TSLDTRecord<0, 16, 0>;
using TSLDT_MM16 = TSLDTRecord<0, 16, 0>;
using TSLDT_NN20 = TSLDTRecord<0, 20, 0>;
using TSLDT_MM20 = TSLDTRecord<0, 20, 0>;
using TSLDT_NN24 = TSLDTRecord<1, 24, 0>;
using TSLDT_NN32 = TSLDTRecord<0, 32, 0>;
using TSLDT_HH12 = TSLDTRecord<12, 12, 0>;
using TSLDT_HH24 = TSLDTRecord<1, 24, 0>;
using TSLDT_HH32 = TSLDTRecord<0, 32, 0>;
using TSLDT_VV6 = TSLDTRecord<0, 0, 6>;
using TSLDT_WW8 = TSLDTRecord<0, 0, 8>;
using TSLDT_VV9 = TSLDTRecord<0, 0, 9>;
using TSLDT_VV10 = TSLDTRecord<0, 0, 10>;
using TSLDT_WW10 = TSLDTRecord<0, 0, 10>;
using TSLDT_VV12 = TSLDTRecord<0, 0, 12>;
using TSLDT_NV4 = TSLDTRecord<0, 4, 4>;
using TSLDT_NV8 = TSLDTRecord<0, 8, 8>;
using TSLDT_NS1 = TSLDTRecord<1, 1, 0>;
using TSLDT_NS3 = TSLDTRecord<3, 3, 0>;
using TSLDT_NS4 = TSLDTRecord<4, 4, 0>;
using TSLDT_NS6 = TSLDTRecord<6, 6, 0>;
using TSLDT_NS8 = TSLDTRecord<8, 8, 0>;
using TSLDT_NSS1 = TSLDTRecord<2, 1, 0>;
using TSLDT_NSN4 = TSLDTRecord<1, 5, 0>;
using TSLDT_NSN8 = TSLDTRecord<1, 9, 0>;
using TSLDT_NSV3 = TSLDTRecord<1, 1, 3>;
using TSLDT_NSV4 = TSLDTRecord<1, 1, 4>;
using TSLDT_NSV6 = TSLDTRecord<1, 1, 6>;
using TSLDT_N8S4 = TSLDTRecord<4, 8, 0>;
using TSLDT_N4S2 = TSLDTRecord<2, 4, 0>;
using TSLDT_N4S4 = TSLDTRecord<4, 4, 0>;
using TSLDT_V4S2 = TSLDTRecord<2, 0, 4>;
using TSLDT_V4S4 = TSLDTRecord<4, 0, 4>;
using TSLDT_XYV4 = TSLDTRecord<0, 8, 4>;
using TSLDT_CADA = TSLDTRecord<1, 14, 0>;
using TSLDT_CADB = TSLDTRecord<2, 2, 2>;
using TSLDT_CHDA = TSLDTRecord<6, 0, 0>;
using TSLDT_CHDB = TSLDTRecord<16, 2, 0>;
using TSLDT_CHDC = TSLDTRecord<7, 0, 0>;
using TSLDT_DT8 = TSLDTRecord<1, 0, 8>;
using TSLDT_ZAI3 = TSLDTRecord<3, 0, 3>;
using TSLDT_YMD9 = TSLDTRecord<9, 0, 0>;
using TSLDT_MONY = TSLDTRecord<0, 0, 0, 5>;
using TSLDT_MON1 = TSLDTRecord<2, 1, 0, 1>;
using TSLDT_MON2 = TSLDTRecord<2, 1, 0, 1>;
using TSLDT_MON3 = TSLDTRecord<2, 1, 0, 1>;
using TSLDT_MON4 = TSLDTRecord<2, 1, 0, 1>;
using TSLDT_ADN1 = TSLDTRecord<4, 0, 0>;
using TSLDT_ADN2 = TSLDTRecord<4, 0, 0>;
using TSLDT_ADN3 = TSLDTRecord<4, 0, 0>;
using TSLDT_ADN4 = TSLDTRecord<4, 0, 0>;
using TSLDT_ADR1 = TSLDTRecord<2, 1, 0>;
using TSLDT_ADR2 = TSLDTRecord<2, 1, 0>;
using TSLDT_ADR3 = TSLDTRecord<2, 1, 0>;
using TSLDT_ADR4 = TSLDTRecord<2, 1, 0>;
using TSLDT_KSA1 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA2 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA3 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA4 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA5 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA6 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA7 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA8 = TSLDTRecord<3, 2, 0>;
using TSLDT_KSA9 = TSLDTRecord<3, 2, 0>;

// The scratch records, one per type code.
extern TSLDT_SS1 SLDT_SS1;
extern TSLDT_VV8 SLDT_VV8;
extern TSLDT_NS2 SLDT_NS2;
extern TSLDT_NSV5 SLDT_NSV5;
extern TSLDT_AA0 SLDT_AA0;
extern TSLDT_SS0 SLDT_SS0;
extern TSLDT_AA1 SLDT_AA1;
extern TSLDT_AA2 SLDT_AA2;
extern TSLDT_SS2 SLDT_SS2;
extern TSLDT_AA3 SLDT_AA3;
extern TSLDT_SS3 SLDT_SS3;
extern TSLDT_AA4 SLDT_AA4;
extern TSLDT_SS4 SLDT_SS4;
extern TSLDT_SS8 SLDT_SS8;
extern TSLDT_SS16 SLDT_SS16;
extern TSLDT_SS20 SLDT_SS20;
extern TSLDT_SS24 SLDT_SS24;
extern TSLDT_SS64 SLDT_SS64;
extern TSLDT_NN8 SLDT_NN8;
extern TSLDT_MM8 SLDT_MM8;
extern TSLDT_NN10 SLDT_NN10;
extern TSLDT_MM10 SLDT_MM10;
extern TSLDT_NN12 SLDT_NN12;
extern TSLDT_MM12 SLDT_MM12;
extern TSLDT_PX12 SLDT_PX12;
extern TSLDT_PY12 SLDT_PY12;
extern TSLDT_NN13 SLDT_NN13;
extern TSLDT_NN16 SLDT_NN16;
extern TSLDT_MM16 SLDT_MM16;
extern TSLDT_NN20 SLDT_NN20;
extern TSLDT_MM20 SLDT_MM20;
extern TSLDT_NN24 SLDT_NN24;
extern TSLDT_NN32 SLDT_NN32;
extern TSLDT_HH12 SLDT_HH12;
extern TSLDT_HH24 SLDT_HH24;
extern TSLDT_HH32 SLDT_HH32;
extern TSLDT_VV6 SLDT_VV6;
extern TSLDT_WW8 SLDT_WW8;
extern TSLDT_VV9 SLDT_VV9;
extern TSLDT_VV10 SLDT_VV10;
extern TSLDT_WW10 SLDT_WW10;
extern TSLDT_VV12 SLDT_VV12;
extern TSLDT_NV4 SLDT_NV4;
extern TSLDT_NV8 SLDT_NV8;
extern TSLDT_NS1 SLDT_NS1;
extern TSLDT_NS3 SLDT_NS3;
extern TSLDT_NS4 SLDT_NS4;
extern TSLDT_NS6 SLDT_NS6;
extern TSLDT_NS8 SLDT_NS8;
extern TSLDT_NSS1 SLDT_NSS1;
extern TSLDT_NSN4 SLDT_NSN4;
extern TSLDT_NSN8 SLDT_NSN8;
extern TSLDT_NSV3 SLDT_NSV3;
extern TSLDT_NSV4 SLDT_NSV4;
extern TSLDT_NSV6 SLDT_NSV6;
extern TSLDT_N8S4 SLDT_N8S4;
extern TSLDT_N4S2 SLDT_N4S2;
extern TSLDT_N4S4 SLDT_N4S4;
extern TSLDT_V4S2 SLDT_V4S2;
extern TSLDT_V4S4 SLDT_V4S4;
extern TSLDT_XYV4 SLDT_XYV4;
extern TSLDT_CADA SLDT_CADA;
extern TSLDT_CADB SLDT_CADB;
extern TSLDT_CHDA SLDT_CHDA;
extern TSLDT_CHDB SLDT_CHDB;
extern TSLDT_CHDC SLDT_CHDC;
extern TSLDT_DT8 SLDT_DT8;
extern TSLDT_ZAI3 SLDT_ZAI3;
extern TSLDT_YMD9 SLDT_YMD9;
extern TSLDT_MONY SLDT_MONY;
extern TSLDT_MON1 SLDT_MON1;
extern TSLDT_MON2 SLDT_MON2;
extern TSLDT_MON3 SLDT_MON3;
extern TSLDT_MON4 SLDT_MON4;
extern TSLDT_ADN1 SLDT_ADN1;
extern TSLDT_ADN2 SLDT_ADN2;
extern TSLDT_ADN3 SLDT_ADN3;
extern TSLDT_ADN4 SLDT_ADN4;
extern TSLDT_ADR1 SLDT_ADR1;
extern TSLDT_ADR2 SLDT_ADR2;
extern TSLDT_ADR3 SLDT_ADR3;
extern TSLDT_ADR4 SLDT_ADR4;
extern TSLDT_KSA1 SLDT_KSA1;
extern TSLDT_KSA2 SLDT_KSA2;
extern TSLDT_KSA3 SLDT_KSA3;
extern TSLDT_KSA4 SLDT_KSA4;
extern TSLDT_KSA5 SLDT_KSA5;
extern TSLDT_KSA6 SLDT_KSA6;
extern TSLDT_KSA7 SLDT_KSA7;
extern TSLDT_KSA8 SLDT_KSA8;
extern TSLDT_KSA9 SLDT_KSA9;

// Readers of the other type codes (see Read_SS1 below).
bool Read_AA0(const RecordStore& store, int32_t label);
bool Read_SS0(const RecordStore& store, int32_t label);
bool Read_AA1(const RecordStore& store, int32_t label);
bool Read_AA2(const RecordStore& store, int32_t label);
bool Read_SS2(const RecordStore& store, int32_t label);
bool Read_AA3(const RecordStore& store, int32_t label);
bool Read_SS3(const RecordStore& store, int32_t label);
bool Read_AA4(const RecordStore& store, int32_t label);
bool Read_SS4(const RecordStore& store, int32_t label);
bool Read_SS8(const RecordStore& store, int32_t label);
bool Read_SS16(const RecordStore& store, int32_t label);
bool Read_SS20(const RecordStore& store, int32_t label);
bool Read_SS24(const RecordStore& store, int32_t label);
bool Read_SS64(const RecordStore& store, int32_t label);
bool Read_NN8(const RecordStore& store, int32_t label);
bool Read_MM8(const RecordStore& store, int32_t label);
bool Read_NN10(const RecordStore& store, int32_t label);
bool Read_MM10(const RecordStore& store, int32_t label);
bool Read_NN12(const RecordStore& store, int32_t label);
bool Read_MM12(const RecordStore& store, int32_t label);
bool Read_PX12(const RecordStore& store, int32_t label);
bool Read_PY12(const RecordStore& store, int32_t label);
bool Read_NN13(const RecordStore& store, int32_t label);
bool Read_NN16(const RecordStore& store, int32_t label);
bool Read_MM16(const RecordStore& store, int32_t label);
bool Read_NN20(const RecordStore& store, int32_t label);
bool Read_MM20(const RecordStore& store, int32_t label);
bool Read_NN24(const RecordStore& store, int32_t label);
bool Read_NN32(const RecordStore& store, int32_t label);
bool Read_HH12(const RecordStore& store, int32_t label);
bool Read_HH24(const RecordStore& store, int32_t label);
bool Read_HH32(const RecordStore& store, int32_t label);
bool Read_VV6(const RecordStore& store, int32_t label);
bool Read_WW8(const RecordStore& store, int32_t label);
bool Read_VV9(const RecordStore& store, int32_t label);
bool Read_VV10(const RecordStore& store, int32_t label);
bool Read_WW10(const RecordStore& store, int32_t label);
bool Read_VV12(const RecordStore& store, int32_t label);
bool Read_NV4(const RecordStore& store, int32_t label);
bool Read_NV8(const RecordStore& store, int32_t label);
bool Read_NS1(const RecordStore& store, int32_t label);
bool Read_NS3(const RecordStore& store, int32_t label);
bool Read_NS4(const RecordStore& store, int32_t label);
bool Read_NS6(const RecordStore& store, int32_t label);
bool Read_NS8(const RecordStore& store, int32_t label);
bool Read_NSS1(const RecordStore& store, int32_t label);
bool Read_NSN4(const RecordStore& store, int32_t label);
bool Read_NSN8(const RecordStore& store, int32_t label);
bool Read_NSV3(const RecordStore& store, int32_t label);
bool Read_NSV4(const RecordStore& store, int32_t label);
bool Read_NSV6(const RecordStore& store, int32_t label);
bool Read_N8S4(const RecordStore& store, int32_t label);
bool Read_N4S2(const RecordStore& store, int32_t label);
bool Read_N4S4(const RecordStore& store, int32_t label);
bool Read_V4S2(const RecordStore& store, int32_t label);
bool Read_V4S4(const RecordStore& store, int32_t label);
bool Read_XYV4(const RecordStore& store, int32_t label);
bool Read_CADA(const RecordStore& store, int32_t label);
bool Read_CADB(const RecordStore& store, int32_t label);
bool Read_CHDA(const RecordStore& store, int32_t label);
bool Read_CHDB(const RecordStore& store, int32_t label);
bool Read_CHDC(const RecordStore& store, int32_t label);
bool Read_DT8(const RecordStore& store, int32_t label);
bool Read_ZAI3(const RecordStore& store, int32_t label);
bool Read_YMD9(const RecordStore& store, int32_t label);
bool Read_MONY(const RecordStore& store, int32_t label);
bool Read_MON1(const RecordStore& store, int32_t label);
bool Read_MON2(const RecordStore& store, int32_t label);
bool Read_MON3(const RecordStore& store, int32_t label);
bool Read_MON4(const RecordStore& store, int32_t label);
bool Read_ADN1(const RecordStore& store, int32_t label);
bool Read_ADN2(const RecordStore& store, int32_t label);
bool Read_ADN3(const RecordStore& store, int32_t label);
bool Read_ADN4(const RecordStore& store, int32_t label);
bool Read_ADR1(const RecordStore& store, int32_t label);
bool Read_ADR2(const RecordStore& store, int32_t label);
bool Read_ADR3(const RecordStore& store, int32_t label);
bool Read_ADR4(const RecordStore& store, int32_t label);
bool Read_KSA1(const RecordStore& store, int32_t label);
bool Read_KSA2(const RecordStore& store, int32_t label);
bool Read_KSA3(const RecordStore& store, int32_t label);
bool Read_KSA4(const RecordStore& store, int32_t label);
bool Read_KSA5(const RecordStore& store, int32_t label);
bool Read_KSA6(const RecordStore& store, int32_t label);
bool Read_KSA7(const RecordStore& store, int32_t label);
bool Read_KSA8(const RecordStore& store, int32_t label);
bool Read_KSA9(const RecordStore& store, int32_t label);

// Shared store-wide state.
extern bool SLDT_Found;                     // the last find, read or write met an existing line
extern std::string SLDT_Line;               // line last read (88 blanks when missing) or written
extern std::array<int32_t, 13> SLDT_Decimals;  // [1..12] digits after the point per float field
// The lines as last loaded, created or saved.
extern RecordStore SavedCopy;
// DataModified and StatusFileName (env/Messages.h) are cleared and set by
// New_SLDT, Load_SLDT and Save_SLDT.

// Label text of a label: "№%4d" for 1000..9999, else six zero-filled digits.
std::string LabelText(int32_t label);

// Line index of the record (label, type code "<VV8>"; the brackets may be
// left out). Label 0 repeats the last label; 1..999 is a line index itself.
// 0 and SLDT_Found false when missing.
int32_t Find_SLDT(const RecordStore& store, int32_t label, std::string_view typeCode);
// First line containing the key (empty: last label text + last type code).
int32_t FindLine_SLDT(const RecordStore& store, std::string_view key);
bool Exists_SLDT(const RecordStore& store, std::string_view key);

// Readers: fill the scratch record, SLDT_Line, SLDT_Found and, for types
// with decimals, SLDT_Decimals. A missing record reads as blank texts,
// zeros and zero decimals. Return SLDT_Found.
bool Read_SS1(const RecordStore& store, int32_t label);
bool Read_VV8(const RecordStore& store, int32_t label);
bool Read_NS2(const RecordStore& store, int32_t label);
bool Read_NSV5(const RecordStore& store, int32_t label);
// Groups read together under one label (found: any member found).
bool Read_MONO(const RecordStore& store, int32_t label);  // MON1..MON4
bool Read_ADNM(const RecordStore& store, int32_t label);  // ADN1..ADN4
bool Read_ADRS(const RecordStore& store, int32_t label);  // ADR1..ADR4
bool Read_KSAN(const RecordStore& store, int32_t label);  // KSA1..KSA9
// Any type code by name (without brackets); false also for an unknown code.
bool Read_SLDT(const RecordStore& store, int32_t label, std::string_view code);
// Every type code a reader exists for (without brackets).
const std::vector<std::string>& ReadableTypeCodes();
// The payload of a type's scratch record as texts, field kinds in the order
// Text, Number, Value, Big (for checks and diagnostics).
std::vector<std::string> ScratchPayload(std::string_view code);

// The common first step of the writers: finds or appends the line of the
// record and starts SLDT_Line with the 24 head bytes of the type's scratch
// record. -1 (and a status-bar message) for a label below 1000 or above 999999.
int32_t Write_SLDT(RecordStore& store, int32_t label, std::string_view typeCode);
// Writers: true when the line was written. The decimals text gives one
// character per float field: "0".."9" decimal places, "-" (or anything
// else) none; a short text is extended with "-".
bool Write_SS1(RecordStore& store, int32_t label);
bool Write_NS2(RecordStore& store, int32_t label);
bool Write_VV8(RecordStore& store, int32_t label, std::string_view decimals);
bool Write_NSV5(RecordStore& store, int32_t label, std::string_view decimals);

// Blanks a type's scratch record (code without brackets; "CH…" clears CHDA,
// CHDB and CHDC, "HR24" HH24, and MONO/ADNM/ADRS/KSAN their groups).
void Clear_SLDT(std::string_view code);
// Removes every line containing the text; a blank text removes nothing.
// Returns the number removed.
int Delete_SLDT(RecordStore& store, std::string_view text);
// Pads every line to 88 bytes.
void Pad_SLDT(RecordStore& store);

// The header line of a store created at `when` (local time), 88 bytes.
std::string HeaderLine(std::time_t when);
// Empties the store and adds the header line: for a path (containing ":\")
// the program's header with the current time, else the text itself.
void New_SLDT(std::string_view pathOrTitle, RecordStore& store);
// Replaces the store's lines with the file's. False (with a message) when the
// file is missing or cannot be read as a text file; the store is then empty.
bool Load_SLDT(std::string_view path, RecordStore& store);
// Pads, sorts (header first, then label, then type code) and writes the
// store. False (with a message, the file untouched) on any failure.
bool Save_SLDT(std::string_view path, RecordStore& store);

// The record-file lines of a file's bytes (see TextLines.h); the part of
// Load_SLDT that does not touch the disk.
bool ParseRecordFile(std::string_view bytes, RecordStore& store, std::string* reason = nullptr);
// The bytes Save_SLDT writes for the store as it stands (already padded and
// sorted). False when a line has a character without CP932 form.
bool RecordFileBytes(const RecordStore& store, std::string& bytes, std::string* problem = nullptr);
// Pads the lines and sorts them into the saved order.
void SortRecords(RecordStore& store);

}  // namespace kondra
