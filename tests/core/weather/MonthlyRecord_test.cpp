#include "weather/MonthlyRecord.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>

namespace kondra {
namespace {

float SingleAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return std::bit_cast<float>(bits);
}

MonthlyRecordData Sample(int point) {
  MonthlyRecordData r;
  r.name = "HAMAMATSU";
  r.code = "4765" + std::to_string(point);
  r.latitude = 34.45f;
  r.longitude = 137.43f;
  r.elevation = 31.7f;
  r.height = 1.5f;
  r.highest = 38.5f;
  r.lowest = -4.5f;
  for (int item = 1; item <= kWeatherItemCount; ++item)
    for (int c = 1; c <= kMonthlyColumns; ++c) r.Value(item, c) = point * 10000.0f + item * 100.0f + c;
  return r;
}

TEST(MonthlyRecord, FieldsStandAtTheirOffsetsLittleEndian) {
  std::string bytes;
  ASSERT_TRUE(EncodeMonthlyRecord(Sample(1), bytes));
  ASSERT_EQ(bytes.size(), 1947u);
  EXPECT_EQ(bytes[0], 9);
  EXPECT_EQ(bytes.substr(1, 9), "HAMAMATSU");
  EXPECT_EQ(bytes[18], 5);
  EXPECT_EQ(bytes.substr(19, 5), "47651");
  EXPECT_EQ(bytes.substr(24, 3), std::string(3, '\0'));  // unused bytes of the code field
  EXPECT_EQ(SingleAt(bytes, 27), 34.45f);
  EXPECT_EQ(SingleAt(bytes, 31), 137.43f);
  EXPECT_EQ(SingleAt(bytes, 35), 31.7f);
  EXPECT_EQ(SingleAt(bytes, 39), 1.5f);
  EXPECT_EQ(SingleAt(bytes, 43), 38.5f);
  EXPECT_EQ(SingleAt(bytes, 47), -4.5f);
  EXPECT_EQ(bytes.substr(51, 24), std::string(24, '\0'));
  // 1.0f is 00 00 80 3F: the low byte comes first.
  MonthlyRecordData one;
  one.Value(1, 1) = 1.0f;
  ASSERT_TRUE(EncodeMonthlyRecord(one, bytes));
  EXPECT_EQ(bytes.substr(75, 4), std::string("\x00\x00\x80\x3F", 4));
}

TEST(MonthlyRecord, ValuesAreItemMajorWithTheYearLast) {
  std::string bytes;
  ASSERT_TRUE(EncodeMonthlyRecord(Sample(0), bytes));
  EXPECT_EQ(SingleAt(bytes, 75), 101.0f);             // item 1, January
  EXPECT_EQ(SingleAt(bytes, 75 + 4 * 12), 113.0f);    // item 1, the year
  EXPECT_EQ(SingleAt(bytes, 75 + 52), 201.0f);        // item 2, January
  EXPECT_EQ(SingleAt(bytes, 1947 - 4), 3613.0f);      // item 36, the year
  EXPECT_EQ(MonthlyValueOffset(36, 13), 1947 - 4);
}

TEST(MonthlyRecord, PointThreeStartsAtByte3894) {
  std::string file;
  for (int point = 1; point <= 3; ++point) {
    std::string bytes;
    ASSERT_TRUE(EncodeMonthlyRecord(Sample(point), bytes));
    file += bytes;
  }
  EXPECT_EQ(MonthlyRecordOffset(3), 3894);
  EXPECT_EQ(SingleAt(file, 3894 + 75 + 52), 30201.0f);  // point 3, item 2, month 1

  MonthlyRecordData back;
  ASSERT_TRUE(DecodeMonthlyRecord(std::string_view(file).substr(MonthlyRecordOffset(3)), back));
  EXPECT_EQ(back.code, "47653");
  EXPECT_EQ(back.Value(2, 1), 30201.0f);
}

TEST(MonthlyRecord, DecodesWhatItEncodes) {
  MonthlyRecordData r = Sample(2);
  r.name = "北見";
  r.code = "EES1";
  r.Value(24, 5) = kMonthlyAbsent;
  std::string bytes;
  ASSERT_TRUE(EncodeMonthlyRecord(r, bytes));
  EXPECT_EQ(bytes[0], 4);  // two CP932 characters
  MonthlyRecordData back;
  ASSERT_TRUE(DecodeMonthlyRecord(bytes, back));
  EXPECT_EQ(back.name, "北見");
  EXPECT_EQ(back.code, "EES1");
  EXPECT_EQ(back.values, r.values);
  EXPECT_EQ(back.highest, r.highest);
  EXPECT_TRUE(back.HasItem(24));
  EXPECT_FALSE(MonthlyRecordData().HasItem(24));
}

TEST(MonthlyRecord, RefusesTextsThatDoNotFitTheirField) {
  std::string bytes = "untouched";
  std::string error;
  MonthlyRecordData r;
  r.code = "123456789";
  EXPECT_FALSE(EncodeMonthlyRecord(r, bytes, &error));
  EXPECT_NE(error.find("point code"), std::string::npos);
  EXPECT_EQ(bytes, "untouched");
  r.code = "47654";
  r.name = "MINAMIDAITOJIMA-EXT";  // 19 bytes
  EXPECT_FALSE(EncodeMonthlyRecord(r, bytes, &error));
  EXPECT_NE(error.find("point name"), std::string::npos);
  r.name = "😀";
  EXPECT_FALSE(EncodeMonthlyRecord(r, bytes, &error));
}

TEST(MonthlyRecord, DecodingCopesWithShortRecordsAndBadLengthBytes) {
  MonthlyRecordData r;
  std::string error;
  EXPECT_FALSE(DecodeMonthlyRecord(std::string(1946, '\0'), r, &error));
  EXPECT_NE(error.find("1947"), std::string::npos);

  std::string bytes;
  ASSERT_TRUE(EncodeMonthlyRecord(Sample(1), bytes));
  bytes[18] = static_cast<char>(200);  // a length beyond the field reads the field only
  ASSERT_TRUE(DecodeMonthlyRecord(bytes, r));
  EXPECT_EQ(r.code, std::string("47651\0\0\0", 8));
  bytes[18] = 2;
  bytes[19] = static_cast<char>(0x81);  // a lead byte without its trail byte
  bytes[20] = 0;
  EXPECT_FALSE(DecodeMonthlyRecord(bytes, r, &error));
}

TEST(MonthlyRecord, DegreesAndMinutes) {
  struct Case {
    double degrees;
    float stored;
  } cases[] = {
      {34.7533, 34.45f},   // 浜松: 34°45.2'
      {137.7117, 137.43f},
      {35.9999, 36.00f},   // 59.99' rounds into the next degree
      {26.2067, 26.12f},
      {0.5, 0.30f},
      {-33.5, -33.30f},
  };
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(ToDegMin(c.degrees), c.stored) << c.degrees;
    EXPECT_NEAR(FromDegMin(c.stored), c.degrees, 1.0 / 120.0) << c.degrees;
  }
}

}  // namespace
}  // namespace kondra
