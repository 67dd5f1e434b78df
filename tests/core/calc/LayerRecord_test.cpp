#include "calc/LayerRecord.h"

#include "env/Cp932.h"
#include "env/Text.h"
#include "records/RecordStore.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class LayerRecordTest : public test::KondraTest {};

// What a layer value becomes in its 8-byte field.
TEST_F(LayerRecordTest, OrdinaryValuesAsBeforeAndNoValueLost) {
  struct Case {
    float value;
    char decimals;
    const char* field;
  } cases[] = {
      {7.5f, '2', "    7.50"},      // ordinary: exactly as the decimals say
      {0.0857f, '3', "   0.086"},
      {0.0016f, '5', " 0.00160"},
      {12.0f, '1', "    12.0"},
      {0.014f, '2', "    0.01"},     // loses less than half: as before
      {0.0f, '2', "    0.00"},
      {9999.0f, '2', " 9999.00"},
      {0.001f, '2', "   0.001"},     // the surface rows: would read back as 0
      {0.006f, '2', "   0.006"},     // would read back as 0.01
      {-0.001f, '2', "  -0.001"},
      {0.00001057f, '3', "0.000011"},  // a thin metal sheet's r: the field is full
      {0.00000001f, '3', "   0.000"},  // below what 8 bytes hold: nothing better
      {123456.7f, '2', "123456.7"},  // too wide at 2 decimals: fewer
      {9999999.0f, '1', " 9999999"},
  };
  for (const Case& c : cases) {
    SLDT_NSV5 = TSLDT_NSV5{};
    SLDT_NSV5.Name = "x";
    SLDT_NSV5.Value[5] = c.value;
    RecordStore store;
    New_SLDT("t", store);
    const std::string decimals = std::string("1335") + c.decimals;
    ASSERT_TRUE(WriteLayerRecord(store, 2101, decimals)) << c.value;
    EXPECT_EQ(SliceMB(store.lines[1], 79, 8), c.field) << c.value;
  }
}

TEST_F(LayerRecordTest, ValuesReadBackAsTheyWereWhereverTheFieldAllows) {
  const float values[] = {0.001f, 0.05f, 0.125f, 0.0016f, 7.5f, 2.5f, 1.0f, 0.0632f, 1.714f, 9999.0f};
  for (float v : values) {
    SLDT_NSV5 = TSLDT_NSV5{};
    SLDT_NSV5.Name = "x";
    for (int i = 1; i <= 5; ++i) SLDT_NSV5.Value[static_cast<std::size_t>(i)] = v;
    RecordStore store;
    New_SLDT("t", store);
    ASSERT_TRUE(WriteLayerRecord(store, 2101));
    const std::string first = store.lines[1];
    Read_NSV5(store, 2101);
    for (int i = 1; i <= 5; ++i) {
      float back = SLDT_NSV5.Value[static_cast<std::size_t>(i)];
      EXPECT_NE(back, 0.0f) << v << " field " << i;
      EXPECT_LE(std::abs(back - v), 0.5f * v) << v << " field " << i;
    }
    // Reading and writing again changes nothing.
    ASSERT_TRUE(WriteLayerRecord(store, 2101));
    EXPECT_EQ(store.lines[1], first);
  }
}

TEST_F(LayerRecordTest, KeepingDecimalsLeavesAValueTooWideEverywhereToTheWriter) {
  const float values[] = {1e12f, 0.5f};
  EXPECT_EQ(KeepingDecimals("13", values), "13");
  SLDT_NSV5 = TSLDT_NSV5{};
  SLDT_NSV5.Value[1] = 1e12f;
  RecordStore store;
  New_SLDT("t", store);
  EXPECT_FALSE(WriteLayerRecord(store, 2101));
  EXPECT_EQ(store.lines.size(), 1u);
}

}  // namespace
}  // namespace kondra
