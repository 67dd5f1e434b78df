#include "env/Units.h"

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class UnitsTest : public test::KondraTest {
 protected:
  void TearDown() override {
    SetUnitSystem(kEngineeringUnits);
    UnitPairCount = 0;
    DatDir.clear();
    KondraTest::TearDown();
  }
  // Writes 単位系SIW.DAT with the pairs and loads it.
  void LoadPairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
    DatDir = temp.path();
    DT_RowCount = static_cast<int32_t>(pairs.size());
    DT_ColCount = 2;
    DT_ColWidth[1] = DT_ColWidth[2] = 56;
    for (std::size_t i = 1; i <= pairs.size(); ++i) {
      DT_Name[i] = DT_Cell[i][1] = pairs[i - 1].first;
      DT_Cell[i][2] = pairs[i - 1].second;
    }
    ASSERT_TRUE(DataSave(DatDir + "単位系SIW.DAT"));
    LoadUnitPairs();
  }
};

TEST_F(UnitsTest, FactorsAreTheExpressionsHeldAsSingles) {
  SetUnitSystem(kSIUnits);
  EXPECT_TRUE(SIUnits);
  EXPECT_EQ(UnitSystemName, "ＳＩ単位");
  EXPECT_EQ(UnitFactor[1], 1.16279f);
  EXPECT_EQ(UnitFactor[2], static_cast<float>(1.0 / 1.16279));
  EXPECT_NE(UnitFactor[2], 0.86f);
  EXPECT_FLOAT_EQ(UnitFactor[2], 0.8600005f);
  EXPECT_EQ(UnitFactor[3], 2083.6f);
  EXPECT_EQ(UnitFactor[4], static_cast<float>(1.0 / 2083.6));
  EXPECT_NEAR(UnitFactor[4], 0.000479939, 5e-10);
  EXPECT_EQ(UnitFactor[5], 1.16279f);
  EXPECT_EQ(UnitFactor[6], 1.16279f);

  for (const char* name : {"工学単位", "", "SI単位", "ＳＩ"}) {
    SetUnitSystem(name);
    EXPECT_FALSE(SIUnits) << name;
    EXPECT_EQ(UnitSystemName, name);
    for (std::size_t i = 1; i <= 6; ++i) EXPECT_EQ(UnitFactor[i], 1.0f) << name << " " << i;
  }
}

TEST_F(UnitsTest, CaptionsAreConvertedByTheFirstMatchingPair) {
  LoadPairs({{"kcal/(m2･h･ﾟC)", "W/(m2･ﾟK)"}, {"mmHg", "Pa"}, {"m2", "平米"}, {"", "never"}});
  ASSERT_EQ(UnitPairCount, 4);
  struct Case {
    const char* caption;
    const char* si;
  } cases[] = {
      // Written with the symbols, matched in the pair's forms, symbols restored.
      {"Ｋ値 kcal/(㎡･h･℃)", "Ｋ値 W/(㎡･Ｋ)"},
      {"kcal/(m2･h･ﾟC)", "W/(m2･ﾟK)"},
      // Only the first pair in file order, only at its first occurrence.
      {"mmHg kcal/(m2･h･ﾟC) mmHg", "mmHg W/(m2･ﾟK) mmHg"},
      {"mmHg mmHg", "Pa mmHg"},
      // No pair: the symbols stay replaced.
      {"温度 ℃", "温度 ﾟC"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SetUnitSystem(kEngineeringUnits);
    EXPECT_EQ(UnitText(c.caption), c.caption);
    SetUnitSystem(kSIUnits);
    EXPECT_EQ(UnitText(c.caption), c.si) << c.caption;
  }
}

TEST_F(UnitsTest, OnlyTheFirstHundredPairsAreUsed) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (int i = 1; i <= 120; ++i) pairs.push_back({"u" + std::to_string(i) + "x", "s" + std::to_string(i)});
  LoadPairs(pairs);
  EXPECT_EQ(UnitPairCount, 100);
  EXPECT_EQ(UnitPair[100].Eng, "u100x");
  SetUnitSystem(kSIUnits);
  EXPECT_EQ(UnitText("u100x"), "s100");
  EXPECT_EQ(UnitText("u101x"), "u101x");
}

TEST_F(UnitsTest, WithoutThePairFileOnlyTheSymbolsAreReplaced) {
  LoadPairs({{"mmHg", "Pa"}});
  DatDir = temp.path() + "missing\\";
  LoadUnitPairs();
  EXPECT_EQ(UnitPairCount, 0);
  EXPECT_NE(face.AllStatusText().find("単位系SIW.DAT"), std::string::npos);
  SetUnitSystem(kSIUnits);
  EXPECT_EQ(UnitText("mmHg ℃"), "mmHg ﾟC");
}

// The factory pairs: every caption reaches its own pair (no earlier pair
// hides it), and captions written with the symbols come back with them.
TEST_F(UnitsTest, EveryFactoryPairIsReachable) {
  DatDir = fs::FromNative(KONDRA_INSTALL_TREE) + "\\DATA\\DAT\\";
  LoadUnitPairs();
  ASSERT_GT(UnitPairCount, 0);
  SetUnitSystem(kSIUnits);
  for (std::size_t i = 1; i <= static_cast<std::size_t>(UnitPairCount); ++i)
    EXPECT_EQ(UnitText(UnitPair[i].Eng), UnitPair[i].SI) << "pair " << i << " " << UnitPair[i].Eng;
  EXPECT_EQ(UnitText("熱貫流率 kcal/(㎡･h･℃)"), "熱貫流率 W/(㎡･ﾟK)");
  EXPECT_EQ(UnitText("(㎡･h･mmHg)/g"), "(㎡･s･Pa)/ng");
  EXPECT_EQ(UnitText("水蒸気圧 mmHg"), "水蒸気圧 Pa");
}

}  // namespace
}  // namespace kondra
