#include "materials/MaterialEditing.h"

#include "core/calc/CalcTestData.h"
#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Units.h"
#include "materials/MaterialFiles.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

const std::vector<int> kWidths = {12, 8, 8, 8, 8, 6, 6, 2, 4, 6, 4, 3};

class MaterialEditingTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    DatDir = temp.path();
    SetUnitSystem(kEngineeringUnits);
    test::WriteTable(MaterialFilePath(), kWidths,
                     {
                         {"【熱伝達率】"},
                         {"外側(αo=20)", "-", "0.05", "-", "0.001", "-", "-", "G", "1/α", "-", "126", "0"},
                         {"合板", "0.14", "-", "0.0016", "-", "550", "0.311", "C", "J", "-", "73", "0"},
                         {"ｱﾙﾐ箔", "-", "0.001", "-", "9999.", "2700", "0.21", "E", "J", "-", "240", "0"},
                         {"合板(例)", "0.14", "-", "0.0016", "-", "550", "0.311", "O", "例", "-", "73", "0"},
                         {"-<未登録>-", "-", "-", "-", "-", "-", "-", "O", "-", "-", "8", "0"},
                     });
  }
  void TearDown() override {
    SetUnitSystem(kEngineeringUnits);
    DatDir.clear();
    KondraTest::TearDown();
  }
};

TEST_F(MaterialEditingTest, ConstantsAreShownInTheUnitSystemAndOtherColumnsAsStored) {
  struct Case {
    bool si;
    int col;
    const char* stored;
    const char* shown;
  } cases[] = {
      {false, 2, "1.376", "1.376"},
      {false, 5, "21", "21."},        // a "." is added where there is none
      {false, 2, "-", "-"},
      {false, 5, "9999.", "9999."},
      {true, 2, "0.0301", "0.0350"},  // λ × 1.16279, the decimals of the stored text
      {true, 2, "1", "1."},
      {true, 3, "0.05", "0.04"},      // r × 0.86
      {true, 4, "0.00114", "2.38"},   // p × 2083.6, the stored text's three significant digits
      {true, 4, "0.000009", "0.02"},  // one significant digit, never "0."
      {true, 4, "0.0188", "39.2"},
      {true, 4, "0.1", "208."},      // never fewer than the whole number
      {true, 4, "0", "0."},
      {true, 5, "21.9", "0.010511"},  // rv × 0.00048, six decimals
      {true, 5, "9999.", "9999."},    // the vapour-tight mark is no number
      {true, 3, "-", "-"},
      {true, 7, "0.239", "1.000"},    // kcal/(kg·℃) to kJ/(kg·K)
  };
  for (const Case& c : cases) {
    SetUnitSystem(c.si ? kSIUnits : kEngineeringUnits);
    EXPECT_EQ(ShownMaterialValue(c.col, c.stored), c.shown) << c.si << " col " << c.col << " " << c.stored;
  }
}

TEST_F(MaterialEditingTest, TheGridShowsHeadingsByNameAndUnconvertedColumnsUnchanged) {
  TMaterialWork work;
  ASSERT_TRUE(LoadMaterialWork(work));
  ASSERT_EQ(work.RowCount, 6);
  SetUnitSystem(kSIUnits);
  EXPECT_EQ(MaterialCellText(work, 1, 0), "    1");
  EXPECT_EQ(MaterialCellText(work, 1, 1), "【熱伝達率】");
  for (int col = 2; col <= 12; ++col) EXPECT_EQ(MaterialCellText(work, 1, col), "") << col;
  EXPECT_EQ(MaterialCellText(work, 3, 2), "0.16");  // 0.14 × 1.16279, two decimals like the stored text
  EXPECT_EQ(MaterialCellText(work, 3, 6), "550");     // density is never converted
  EXPECT_EQ(MaterialCellText(work, 3, 8), "C");
  EXPECT_EQ(MaterialCellText(work, 4, 5), "9999.");
  EXPECT_EQ(MaterialCellText(work, 4, 11), "240");
  EXPECT_EQ(MaterialCellText(work, 6, 2), "-");
}

TEST_F(MaterialEditingTest, TypedTextsAreCheckedByTheirColumn) {
  struct Case {
    int32_t item;
    const char* text;
    bool accepted;
  } cases[] = {
      {2102, "0.035", true},  {2102, "-", true},     {2102, "", false},     {2102, "1-2", false},
      {2102, "-5", false},    {2102, "1.2.3", false}, {2102, ".", false},   {2105, "9999.", true},
      {2103, "12a", false},   {2106, "2300", true},  {2106, "-", false},    {2106, "23a0", false},
      {2107, "0.2", true},    {2107, "", false},     {2108, "A", true},     {2108, "Hx", true},
      {2108, "I", false},     {2108, "", false},     {2111, "255", true},   {2111, "0", true},
      {2111, "256", false},   {2111, "", false},     {2111, "-1", false},   {2112, "7", true},
      {2112, "8", false},     {2101, "", true},      {2101, "何でも", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MaterialInputAccepted(c.item, c.text), c.accepted) << c.item << " " << c.text;
}

TEST_F(MaterialEditingTest, TypedValuesAreStoredInEngineeringUnits) {
  struct Case {
    bool si;
    int col;
    const char* typed;
    int width;
    const char* stored;  // nullptr: refused, it does not fit
  } cases[] = {
      {true, 2, "0.035", 8, "0.0301"},  // 0.035 ÷ 1.16279, four decimals below 1
      {true, 2, "150", 8, "129.0"},
      {true, 2, "1200", 8, "1032."},
      {true, 3, "2.5", 8, "2.907"},
      {true, 3, "15", 8, "17.44"},
      {true, 4, "2.37", 8, "0.00114"},   // three significant digits kept below 0.01
      {true, 4, "0.0188", 8, "0.000009"},  // as many as the column holds
      {true, 7, "1.0", 6, "0.2389"},
      {true, 5, "0", 8, "0."},
      {true, 2, "-", 8, "-"},            // "no value" stays "no value"
      {true, 5, "9999", 8, "9999."},     // and the vapour-tight mark stays the mark
      {true, 5, "50000", 8, nullptr},   // 104180000. is wider than the column
      {true, 4, "0.001", 8, nullptr},   // 0.00000048: zero in the column's decimals, never stored as 0
      {true, 6, "2300", 6, "2300"},      // density is never converted
      {false, 2, "0.035", 8, "0.035"},
      {false, 5, "9999", 8, "9999"},
      {false, 11, " 35", 4, "35"},
      {false, 1, " 新断熱材 ", 12, "新断熱材"},
      {false, 1, "とても長い材料の名前", 12, nullptr},
  };
  for (const Case& c : cases) {
    SetUnitSystem(c.si ? kSIUnits : kEngineeringUnits);
    const auto stored = StoredMaterialValue(c.col, c.typed, c.width);
    if (c.stored == nullptr) {
      EXPECT_FALSE(stored.has_value()) << c.col << " " << c.typed << " gave " << stored.value_or("");
    } else {
      EXPECT_EQ(stored.value_or("(refused)"), c.stored) << c.si << " col " << c.col << " " << c.typed;
    }
  }
}

TEST_F(MaterialEditingTest, AValueTooSmallForTheColumnIsRefusedWithAMessage) {
  SetUnitSystem(kSIUnits);
  EXPECT_FALSE(StoredMaterialValue(4, "0.001", 8).has_value());
  bool told = false;
  for (const auto& panels : face.statusHistory)
    told = told || panels[0].find("入力値 0.001 は小さすぎて〔材料物性.DAT〕の桁数では 0 になる") != std::string::npos;
  EXPECT_TRUE(told);
  // The smallest permeability the column keeps goes through.
  EXPECT_EQ(StoredMaterialValue(4, "0.002", 8).value_or("(refused)"), "0.000001");
}

TEST_F(MaterialEditingTest, SIEntryShowsBackWhatWasTyped) {
  SetUnitSystem(kSIUnits);
  struct Case {
    int col;
    const char* typed;
    const char* shown;
  } cases[] = {{2, "0.035", "0.0350"}, {3, "2.5", "2.500"}, {5, "0.0105", "0.010501"}, {7, "1.0", "1.0000"}};
  for (const Case& c : cases) {
    const auto stored = StoredMaterialValue(c.col, c.typed, 8);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(ShownMaterialValue(c.col, *stored), c.shown) << c.col << " " << *stored;
  }
}

TEST_F(MaterialEditingTest, TheRowCheckFindsWhatIsMissing) {
  TMaterialWork work;
  ASSERT_TRUE(LoadMaterialWork(work));
  EXPECT_TRUE(MaterialRowComplete(work, 5));
  EXPECT_TRUE(MaterialRowComplete(work, 4));  // r and rv instead of λ and p
  EXPECT_FALSE(MaterialRowComplete(work, 6));  // a free row
  struct Case {
    int col;
    const char* text;
  } gaps[] = {{1, ""}, {1, "-<未登録>-"}, {2, "-"}, {4, "-"}, {6, "-"}, {7, "-"}};
  for (const Case& g : gaps) {
    TMaterialWork changed = work;
    changed.SetCell(5, g.col, g.text);
    if (g.col == 2) changed.SetCell(5, 3, "-");  // λ and r both missing
    if (g.col == 4) changed.SetCell(5, 5, "-");  // p and rv both missing
    EXPECT_FALSE(MaterialRowComplete(changed, 5)) << g.col << " " << g.text;
  }
  SetUnitSystem(kSIUnits);
  EXPECT_TRUE(MaterialRowComplete(work, 5));
}

TEST_F(MaterialEditingTest, SavingWritesTheMaterialLayoutEvenAfterAnotherTableWasLoaded) {
  const std::string before = test::ReadBytes(MaterialFilePath());
  TMaterialWork work;
  ASSERT_TRUE(LoadMaterialWork(work));
  ASSERT_TRUE(SaveMaterialWork(work));
  EXPECT_EQ(test::ReadBytes(MaterialFilePath()), before);  // unchanged copy, same bytes

  work.SetCell(6, 1, "新断熱材");
  work.SetCell(6, 2, "0.03");
  test::WriteTable(DatDir + "単位系.EXP", {70}, {{"【説明】"}, {"一行"}});
  ASSERT_TRUE(DataLoad(DatDir + "単位系.EXP"));
  ASSERT_TRUE(SaveMaterialWork(work));

  ASSERT_TRUE(DataLoad(MaterialFilePath()));
  EXPECT_EQ(DT_RowCount, 6);
  EXPECT_EQ(DT_ColCount, 12);
  EXPECT_EQ(DT_Name[6], "新断熱材");
  EXPECT_EQ(DT_Cell[6][2], "0.03");
  EXPECT_EQ(DT_Cell[6][11], "8");
  EXPECT_EQ(DT_Name[3], "合板");
}

TEST_F(MaterialEditingTest, AFailedSaveKeepsTheCopy) {
  TMaterialWork work;
  ASSERT_TRUE(LoadMaterialWork(work));
  const std::string before = test::ReadBytes(MaterialFilePath());
  work.SetCell(5, 2, "0.2");
  DatDir = temp.path() + "no-such-folder\\";
  EXPECT_FALSE(SaveMaterialWork(work));
  EXPECT_EQ(work.Cell(5, 2), "0.2");
  DatDir = temp.path();
  EXPECT_EQ(test::ReadBytes(MaterialFilePath()), before);
}

TEST_F(MaterialEditingTest, SavingOverADamagedFileAsksAndKeepsTheOriginal) {
  // Counted 3 rows while it holds 6: rows 4 to 6 are not read.
  std::string damaged = test::ReadBytes(MaterialFilePath());
  damaged.replace(0, 6, "     3");
  test::WriteBytes(MaterialFilePath(), damaged);
  TMaterialWork work;
  LoadMaterialWork(work);
  ASSERT_EQ(work.RowCount, 3);

  face.answers = {MsgButton::No};
  EXPECT_FALSE(SaveMaterialWork(work));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_NE(face.boxes[0].text.find("〔材料物性.DAT〕が壊れています"), std::string::npos) << face.boxes[0].text;
  EXPECT_EQ(test::ReadBytes(MaterialFilePath()), damaged);
  EXPECT_FALSE(fs::Exists(MaterialFilePath() + ".bak"));

  face.answers = {MsgButton::Yes};
  EXPECT_TRUE(SaveMaterialWork(work));
  EXPECT_EQ(test::ReadBytes(MaterialFilePath() + ".bak"), damaged);
  EXPECT_TRUE(MaterialFileClean());
}

TEST_F(MaterialEditingTest, AMissingFileGivesAnEmptyCopy) {
  DatDir = temp.path() + "empty\\";
  TMaterialWork work;
  EXPECT_FALSE(LoadMaterialWork(work));
  EXPECT_EQ(work.RowCount, 0);
  EXPECT_EQ(MaterialCellText(work, 1, 2), "");
}

// Record 1 of 壁体構成.DAT: texts are a length byte and their CP932 bytes.
std::string WallRecord(const std::string& part, const std::vector<std::string>& layers) {
  auto text = [](const std::string& utf8, std::size_t max) {
    std::string bytes;
    EXPECT_TRUE(ToCp932(utf8, bytes));
    std::string field(1, static_cast<char>(bytes.size()));
    bytes.resize(max, ' ');
    return field + bytes;
  };
  std::string record = text("木造外壁", 30) + text(part, 12);
  for (std::size_t k = 0; k < 8; ++k) record += text(k < layers.size() ? layers[k] : "", 12);
  record.resize(kWallRecordBytes, '\0');
  return record;
}

TEST_F(MaterialEditingTest, TheWallCheckNamesUnknownMaterialsOfAKnownPart) {
  test::WriteTable(PartClassFilePath(), {30, 6, 4, 4}, {{"外壁", "外側", "H", "V"}});
  struct Case {
    const char* part;
    std::vector<std::string> layers;
    std::vector<std::string> remarked;
  } cases[] = {
      {"外壁", {"外側(αo=20)", "合板", "石膏ボード", "*", "", "謎の材料"}, {"石膏ボード", "謎の材料"}},
      {"外壁", {"合板", "ｱﾙﾐ箔"}, {}},
      {"*", {"石膏ボード"}, {}},       // no part class: nothing is checked
      {"", {"石膏ボード"}, {}},
      {"車庫", {"石膏ボード"}, {}},    // a part class that is not in the file
  };
  for (const Case& c : cases) {
    test::WriteBytes(DatDir + kWallFileName, WallRecord(c.part, c.layers));
    face.Clear();
    EXPECT_EQ(CheckWallMaterials(), c.remarked) << c.part;
    for (const std::string& name : c.remarked) {
      EXPECT_NE(face.AllStatusText().find("〔" + name + "〕は登録されていない材料名です。"), std::string::npos) << name;
    }
    if (c.remarked.empty()) {
      EXPECT_EQ(face.AllStatusText().find("登録されていない"), std::string::npos) << c.part;
    }
  }
  test::WriteBytes(DatDir + kWallFileName, WallRecord("外壁", {"合板", "", "", "", "", "謎の材料"}));
  face.Clear();
  CheckWallMaterials();
  EXPECT_NE(face.AllStatusText().find("<材料№6>の〔謎の材料〕は登録されていない材料名です。"), std::string::npos)
      << face.AllStatusText();
}

TEST_F(MaterialEditingTest, NoWallFileNoCheck) {
  EXPECT_TRUE(CheckWallMaterials().empty());
  EXPECT_TRUE(face.systemErrors.empty());
}

}  // namespace
}  // namespace kondra
