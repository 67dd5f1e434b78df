// The record-file reader: bytes of a file as Load_SLDT gets them, then every
// reader on the labels the file holds, the writers on what was read, and the
// bytes Save_SLDT would write, read back.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>
#include <string>

#include "env/Cp932.h"
#include "env/Text.h"
#include "records/RecordStore.h"
#include "support/QuietFace.h"

using namespace kondra;
using kondra::fuzz::Require;

namespace {

// Label and type code of the first lines that carry a label.
std::vector<std::pair<int32_t, std::string>> RecordsOf(const RecordStore& store) {
  std::vector<std::pair<int32_t, std::string>> records;
  for (const std::string& line : store.lines) {
    if (records.size() >= 8) break;
    std::string label = SliceMB(line, 0, 6);
    if (label.rfind("№", 0) != 0) continue;
    std::string code = TrimRight(SliceMB(line, 6, 6));
    if (code.size() > 2 && code.front() == '<' && code.back() == '>') code = code.substr(1, code.size() - 2);
    records.emplace_back(ClampToInt32(TextToInt(label.substr(3))), code);
  }
  return records;
}

std::string DecimalsText(int fields) {
  std::string text;
  for (int k = 1; k <= fields; ++k) {
    int d = SLDT_Decimals[static_cast<std::size_t>(k)];
    text += (d >= 0 && d <= 9) ? static_cast<char>('0' + d) : '-';
  }
  return text;
}

void CheckWritten(const RecordStore& store, bool written) {
  if (!written) return;
  Require(MBWidth(SLDT_Line) == kRecordWidth, "a written record is 88 bytes");
  Require(SLDT_Line.find_first_of("\r\n") == std::string::npos, "a written record is one line");
  Require(!store.lines.empty(), "a written record is in the store");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  RecordStore store;
  std::string reason;
  if (!ParseRecordFile(bytes, store, &reason)) {
    Require(store.lines.empty(), "a refused file leaves the store empty");
    Require(!reason.empty(), "a refused file has a reason");
    return 0;
  }
  for (const std::string& line : store.lines)
    Require(line.find_first_of("\r\n") == std::string::npos, "lines hold no line ends");

  // Every reader once on the first record (or line 1); then each
  // record through the reader of its own type code and the four writers.
  std::vector<std::pair<int32_t, std::string>> records = RecordsOf(store);
  const int32_t first = records.empty() ? 1 : records.front().first;
  for (const std::string& code : ReadableTypeCodes()) Read_SLDT(store, first, code);
  Read_VV8(store, 1);
  for (const auto& [label, code] : records) {
    Read_SLDT(store, label, code);
    for (const char* group : {"MONO", "ADNM", "ADRS", "KSAN"}) Read_SLDT(store, label, group);
    RecordStore copy = store;
    Read_VV8(copy, label);
    CheckWritten(copy, Write_VV8(copy, label, DecimalsText(8)));
    Read_NSV5(copy, label);
    CheckWritten(copy, Write_NSV5(copy, label, DecimalsText(5)));
    Read_NS2(copy, label);
    CheckWritten(copy, Write_NS2(copy, label));
    Read_SS1(copy, label);
    CheckWritten(copy, Write_SS1(copy, label));
  }

  RecordStore sorted = store;
  SortRecords(sorted);
  Require(sorted.lines.size() == store.lines.size(), "sorting keeps every line");
  std::string saved;
  if (RecordFileBytes(sorted, saved)) {
    RecordStore again;
    Require(ParseRecordFile(saved, again), "saved bytes load again");
    Require(again == sorted, "saved bytes load as the same lines");
  }
  return 0;
}
