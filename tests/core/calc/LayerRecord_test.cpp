#include "calc/LayerRecord.h"

#include <array>

#include "env/Cp932.h"
#include "env/Text.h"
#include "records/RecordStore.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class LayerRecordTest : public test::KondraTest {};

// What an entered layer value (here rv of a row without p) becomes in its
// 8-byte field.
TEST_F(LayerRecordTest, OrdinaryValuesAsBeforeAndNoValueLost) {
  struct Case {
    float value;
    char decimals;
    const char* field;
  } cases[] = {
      {7.5f, '2', "    7.50"},      // ordinary: exactly as the decimals say
      {0.0857f, '3', "  0.0857"},     // every digit entered
      {0.1667f, '3', "  0.1667"},
      {0.000009f, '5', "0.000009"},
      {0.000114f, '5', "0.000114"},
      {0.0016f, '5', " 0.00160"},
      {12.0f, '1', "    12.0"},
      {0.014f, '2', "   0.014"},
      {0.15f, '1', "    0.15"},     // a film's thickness
      {12.25f, '1', "   12.25"},
      {0.0f, '2', "    0.00"},
      {9999.0f, '2', " 9999.00"},
      {0.001f, '2', "   0.001"},     // the surface rows: would read back as 0
      {0.006f, '2', "   0.006"},     // would read back as 0.01
      {-0.001f, '2', "  -0.001"},
      {0.00001057f, '3', "0.000011"},  // a thin metal sheet's r: the field is full
      {1234.5678f, '1', "1234.568"},
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

// r and rv worked out from thickness and λ or p are derived again by every
// reader: they keep the layout's decimals, so the worked example's records
// stay as they always were.
TEST_F(LayerRecordTest, DerivedResistancesKeepTheLayoutsDecimals) {
  struct Case {
    std::array<float, 6> values;  // [1..5]: thickness, λ, r, p, rv
    const char* payload;          // the five fields
  } cases[] = {
      {{0, 12, 0.14f, 0.0857143f, 0.0016f, 7.5f}, "    12.0   0.140   0.086 0.00160    7.50"},
      {{0, 12, 0.19f, 0.0631579f, 0.007f, 1.714286f}, "    12.0   0.190   0.063 0.00700    1.71"},
      {{0, 0.15f, 0.14f, 0.00107143f, 0.0016f, 0.09375f}, "    0.15   0.140   0.001 0.00160    0.09"},
      {{0, 0, 0, 0.1667f, 0, 0.001f}, "     0.0   0.000  0.1667 0.00000   0.001"},  // an α row: all entered
      {{0, 200, 2.666f, 0.0750188f, 0.000009f, 22222.22f}, "   200.0   2.666   0.0750.00000922222.22"},
  };
  for (const Case& c : cases) {
    SLDT_NSV5 = TSLDT_NSV5{};
    SLDT_NSV5.Name = "x";
    SLDT_NSV5.Value = c.values;
    RecordStore store;
    New_SLDT("t", store);
    ASSERT_TRUE(WriteLayerRecord(store, 2101));
    EXPECT_EQ(SliceMB(store.lines[1], 47, 40), c.payload);
    EXPECT_TRUE(face.AllStatusText().empty()) << face.AllStatusText();
  }
}

// An entered value its field cannot hold is written as close as it goes and
// told; what the field holds is not.
TEST_F(LayerRecordTest, AValueTheFieldCannotHoldIsTold) {
  struct Case {
    int field;
    float value;
    const char* told;  // empty: nothing told
  } cases[] = {
      {4, 0.0000123f, "1層目〔膜〕の透湿率 0.0000123 は8桁の欄に収まらないため 0.000012 として記録しました。"},
      {1, 1234.5625f, "1層目〔膜〕の厚さ 1234.5625 は8桁の欄に収まらないため 1234.563 として記録しました。"},
      {4, 0.000012f, ""},
      {2, 0.0284f, ""},
  };
  for (const Case& c : cases) {
    face.Clear();
    SLDT_NSV5 = TSLDT_NSV5{};
    SLDT_NSV5.Name = "膜";
    SLDT_NSV5.Value[static_cast<std::size_t>(c.field)] = c.value;
    RecordStore store;
    New_SLDT("t", store);
    ASSERT_TRUE(WriteLayerRecord(store, 2101));
    if (*c.told)
      EXPECT_NE(face.AllStatusText().find(c.told), std::string::npos) << face.AllStatusText();
    else
      EXPECT_TRUE(face.AllStatusText().empty()) << face.AllStatusText();
    // What was written reads back and is written again unchanged, untold.
    const std::string line = store.lines[1];
    Read_NSV5(store, 2101);
    face.Clear();
    ASSERT_TRUE(WriteLayerRecord(store, 2101));
    EXPECT_EQ(store.lines[1], line);
    EXPECT_TRUE(face.AllStatusText().empty()) << c.value;
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
