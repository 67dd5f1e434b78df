// One monthly weather record (1947 bytes), decoded, encoded again and shown
// as the monthly display shows it. A record that decodes encodes to bytes
// that decode to the same record.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "support/QuietFace.h"
#include "weather/MonthlyRecord.h"
#include "weather/MonthlyTable.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  MonthlyRecordData record;
  std::string error;
  if (!DecodeMonthlyRecord(bytes, record, &error)) {
    Require(!error.empty(), "a record that does not decode says why");
    return 0;
  }
  Require(size >= static_cast<std::size_t>(kMonthlyRecordSize), "only whole records decode");

  std::string encoded;
  Require(EncodeMonthlyRecord(record, encoded, &error), "a decoded record encodes");
  Require(encoded.size() == static_cast<std::size_t>(kMonthlyRecordSize), "one record's bytes");
  MonthlyRecordData again;
  Require(DecodeMonthlyRecord(encoded, again, &error), "encoded bytes decode");
  std::string twice;
  Require(EncodeMonthlyRecord(again, twice, &error) && twice == encoded, "encoding is stable");
  Require(again.name == record.name && again.code == record.code, "texts survive");

  LatLongText(record);
  ElevationText(record);
  ExtremesText(record);
  for (int row = 1; row <= kWeatherItemCount; ++row)
    for (int column = 1; column <= kMonthlyColumns; ++column) {
      const std::string cell = ValueCellText(row, record.Value(row, column));
      (void)IsAbsentCell(cell);
    }
  return 0;
}
