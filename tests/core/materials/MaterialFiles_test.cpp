#include "materials/MaterialFiles.h"

#include "calc/LayerRecord.h"
#include "core/calc/CalcTestData.h"
#include "env/Cp932.h"
#include "env/Folders.h"
#include "records/RecordStore.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

const std::vector<int> kMaterialWidths = {12, 8, 8, 8, 8, 6, 6, 2, 4, 6, 4, 3};

class MaterialFilesTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    DatDir = temp.path();
    WriteMaterials({
        {"【熱伝達率】"},
        {"外側(αo=20)", "-", "0.05", "-", "0.001", "-", "-", "G", "1/α", "-", "126", "0"},
        {"合板", "0.14", "-", "0.0016", "-", "550", "0.311", "C", "J", "-", "73", "0"},
        {"ｸﾞﾗｽｳｰﾙ", "0.04", "-", "0.1", "-", "16", "0.2", "D", "J", "-", "80", "5"},
        {"ｱﾙﾐ箔", "-", "0.001", "-", "9999.", "2700", "0.21", "E", "J", "-", "240", "0"},
        {"合板", "0.2", "-", "0.002", "-", "600", "0.3", "O", "例", "-", "74", "0"},
        {"-<未登録>-", "-", "-", "-", "-", "-", "-", "O", "-", "-", "8", "0"},
    });
    // Column 3 and column 4 differ here: the class code is read from column 4.
    test::WriteTable(DatDir + "部位区分.DAT", {30, 6, 4, 4, 6},
                     {{"外壁", "外側", "H", "V", "内側"}, {"陸屋根", "外側", "V", "H", "内側"}});
  }
  void TearDown() override {
    DatDir.clear();
    KondraTest::TearDown();
  }
  void WriteMaterials(const std::vector<std::vector<std::string>>& rows) {
    test::WriteTable(DatDir + "材料物性.DAT", kMaterialWidths, rows);
  }
};

TEST_F(MaterialFilesTest, FindsNamesExactlyAndTheFirstOfTwins) {
  DataLoad(MaterialFilePath());
  struct Case {
    const char* name;
    int32_t number;
  } cases[] = {
      {"", 0},
      {"合板", 3},           // rows 3 and 6 share the name: the lower number
      {"ｸﾞﾗｽｳｰﾙ", 4},
      {"グラスウール", 0},  // full-width for half-width is another name
      {"合板 ", 0},          // a trailing blank is part of the name
      {" 合板", 0},
      {"【熱伝達率】", 1},  // heading rows are names like any other
      {"外側(αo=20)", 2},
      {"石膏ボード", 0},
  };
  for (const Case& c : cases) {
    MaterialMatch m = FindMaterial(c.name);
    EXPECT_EQ(m.number, c.number) << c.name;
    EXPECT_EQ(m.found, c.number != 0) << c.name;
  }
}

TEST_F(MaterialFilesTest, ReadsValuesWithDashAsZeroAndVapourTightAs9999) {
  DataLoad(MaterialFilePath());
  TMaterialValues film = MaterialValuesOf(5);
  EXPECT_EQ(film.Conductivity, 0.0f);
  EXPECT_FLOAT_EQ(film.ThermalRes, 0.001f);
  EXPECT_EQ(film.Permeability, 0.0f);
  EXPECT_EQ(film.VapourRes, 9999.0f);
  EXPECT_EQ(film.ColorText, "240");
  EXPECT_EQ(film.Color, 240);
  TMaterialValues wool = MaterialValuesOf(4);
  EXPECT_FLOAT_EQ(wool.Conductivity, 0.04f);
  EXPECT_FLOAT_EQ(wool.Permeability, 0.1f);
  EXPECT_EQ(wool.Pattern, 5);
  EXPECT_EQ(MaterialValuesOf(0).ColorText, "");
  EXPECT_EQ(MaterialValuesOf(99).Conductivity, 0.0f);
  EXPECT_TRUE(IsUserMaterial(6));
  EXPECT_FALSE(IsUserMaterial(3));
  EXPECT_TRUE(IsHeadingMaterial("【熱伝達率】"));
  EXPECT_TRUE(IsFreeMaterial("-<未登録>-"));
  EXPECT_TRUE(IsSurfaceMaterial("仮想(α=100)"));
  EXPECT_FALSE(IsSurfaceMaterial("合板"));
}

TEST_F(MaterialFilesTest, ListsAndPartClassesWithTheCodeOfColumnFour) {
  std::vector<std::string> names;
  ASSERT_TRUE(LoadMaterialList(names));
  ASSERT_EQ(names.size(), 7u);
  EXPECT_EQ(names[1], "外側(αo=20)");
  EXPECT_EQ(names[6], "-<未登録>-");
  ASSERT_TRUE(LoadPartClassList(names));
  EXPECT_EQ(names, (std::vector<std::string>{"外壁", "陸屋根"}));
  std::vector<TPartClass> parts;
  ASSERT_TRUE(LoadPartClasses(parts));
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].code, "V");
  EXPECT_TRUE(parts[0].vertical());
  EXPECT_FALSE(parts[1].vertical());
  std::vector<TMaterialRow> rows;
  ASSERT_TRUE(LoadMaterialRows(rows));
  EXPECT_EQ(rows[4].cell[5], "9999.");
  EXPECT_EQ(rows[0].cell[2], "");
}

TEST_F(MaterialFilesTest, MissingFilesGiveEmptyLists) {
  DatDir = temp.path() + "nowhere\\";
  std::vector<std::string> names = {"stale"};
  EXPECT_FALSE(LoadMaterialList(names));
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(FindMaterial("合板").found);
  std::vector<TPartClass> parts;
  EXPECT_FALSE(LoadPartClasses(parts));
  EXPECT_TRUE(parts.empty());
}

// A store with layer records as a calculation keeps them.
RecordStore LayerStore(const std::vector<std::pair<int32_t, std::string>>& rows) {
  RecordStore store;
  New_SLDT("test", store);
  for (std::size_t k = 1; k <= rows.size(); ++k) {
    SLDT_NSV5 = TSLDT_NSV5{};
    SLDT_NSV5.Number = rows[k - 1].first;
    SLDT_NSV5.Name = rows[k - 1].second;
    SLDT_NSV5.Value = {0, 12, 0.14f, 0.086f, 0.0016f, 0.001f};
    EXPECT_TRUE(WriteLayerRecord(store, LayerLabel(static_cast<int>(k))));
  }
  return store;
}

TEST_F(MaterialFilesTest, RefreshOfMaterialNumbersTouchesOnlyMovedNames) {
  RecordStore store = LayerStore({{2, "外側(αo=20)"}, {3, "合板"}, {4, "ｸﾞﾗｽｳｰﾙ"}});
  const RecordStore before = store;
  EXPECT_TRUE(RefreshLayerMaterialNumbers(store, 2100, 9, "13352"));
  EXPECT_EQ(store, before);

  // The wool's row is renamed, the plywood's first row moves down by one.
  WriteMaterials({
      {"【熱伝達率】"},
      {"外側(αo=20)", "-", "0.05", "-", "0.001"},
      {"【ボード】"},
      {"合板", "0.14", "-", "0.0016", "-"},
      {"ｸﾞﾗｽｳｰﾙ16K", "0.04", "-", "0.1", "-"},
  });
  EXPECT_FALSE(RefreshLayerMaterialNumbers(store, 2100, 9, "13352"));
  Read_NSV5(store, 2101);
  EXPECT_EQ(SLDT_NSV5.Number, 2);
  Read_NSV5(store, 2102);
  EXPECT_EQ(SLDT_NSV5.Number, 4);
  EXPECT_EQ(SLDT_NSV5.Name, "合板");
  EXPECT_FLOAT_EQ(SLDT_NSV5.Value[1], 12.0f);
  Read_NSV5(store, 2103);
  EXPECT_EQ(SLDT_NSV5.Number, 0);
  EXPECT_EQ(SLDT_NSV5.Name, "ｸﾞﾗｽｳｰﾙ");
  // The rewritten record keeps its small vapour resistance.
  EXPECT_FLOAT_EQ(SLDT_NSV5.Value[5], 0.001f);
  EXPECT_FALSE(Exists_SLDT(store, "№2104"));  // missing records are not written
  EXPECT_TRUE(RefreshLayerMaterialNumbers(store, 2100, 9, "13352"));
}

std::string WallText(const std::string& utf8, std::size_t max) {
  std::string bytes;
  EXPECT_TRUE(ToCp932(utf8, bytes));
  std::string field(1 + max, ' ');
  field[0] = static_cast<char>(bytes.size());
  field.replace(1, bytes.size(), bytes);
  return field;
}

TEST_F(MaterialFilesTest, ReadsTheFirstWallRecord) {
  std::string record = WallText("  木造外壁", 30) + WallText(" 外壁", 12);
  const char* layers[] = {"外側(αo=20)", "合板", "ｸﾞﾗｽｳｰﾙ", "石膏ボード", "内側(αi=8)", "", "*", ""};
  for (const char* name : layers) record += WallText(name, 12);
  record.resize(kWallRecordBytes, '\0');
  const std::string path = temp.path() + "壁体構成.DAT";
  test::WriteBytes(path, record + std::string(kWallRecordBytes, 'x'));
  TWallRecord wall;
  ASSERT_TRUE(ReadWallRecord(path, wall));
  EXPECT_EQ(wall.WallName, "木造外壁");
  EXPECT_EQ(wall.PartName, "外壁");
  EXPECT_EQ(wall.LayerName[1], "外側(αo=20)");
  EXPECT_EQ(wall.LayerName[4], "石膏ボード");
  EXPECT_EQ(wall.LayerName[6], "");
  EXPECT_EQ(wall.LayerName[7], "*");
  EXPECT_TRUE(face.systemErrors.empty());

  // A length byte larger than the field and a name cut inside a character.
  std::string odd = record;
  odd[0] = static_cast<char>(200);
  odd[44] = 3;  // "外側" is 4 bytes: the cut leaves "外"
  test::WriteBytes(path, odd);
  ASSERT_TRUE(ReadWallRecord(path, wall));
  EXPECT_EQ(wall.LayerName[1], "外");
  EXPECT_EQ(MBWidth(wall.WallName) <= 30, true);

  test::WriteBytes(path, record.substr(0, 100));
  EXPECT_FALSE(ReadWallRecord(path, wall));
  ASSERT_EQ(face.systemErrors.size(), 1u);
  EXPECT_NE(face.systemErrors[0].find("壁体構成.DAT"), std::string::npos);

  face.Clear();
  EXPECT_FALSE(ReadWallRecord(temp.path() + "none.DAT", wall));
  EXPECT_TRUE(face.systemErrors.empty());
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(MaterialFilesTest, FactoryTablesHoldTheRowsTheCalculationNeeds) {
  test::UseFactoryDatabases(temp);
  std::vector<std::string> names;
  ASSERT_TRUE(LoadMaterialList(names));
  ASSERT_GE(names.size(), 157u);
  EXPECT_EQ(names[1], "外側(αo=20)");
  EXPECT_EQ(names[2], "内側(αi=8)");
  EXPECT_EQ(names[156], "-<未登録>-");
  DataLoad(MaterialFilePath());
  struct Example {
    const char* name;
    float lambda, p;
  } examples[] = {{"合板(例)", 0.14f, 0.0016f}, {"ｸﾞﾗｽｳｰﾙ(例)", 0.04f, 0.1f}, {"石膏板(例)", 0.19f, 0.007f}};
  for (const Example& e : examples) {
    MaterialMatch m = FindMaterial(e.name);
    ASSERT_TRUE(m.found) << e.name;
    EXPECT_TRUE(IsUserMaterial(m.number)) << e.name;
    EXPECT_EQ(MaterialValuesOf(m.number).Conductivity, e.lambda) << e.name;
    EXPECT_EQ(MaterialValuesOf(m.number).Permeability, e.p) << e.name;
  }
  std::vector<TPartClass> parts;
  ASSERT_TRUE(LoadPartClasses(parts));
  ASSERT_GE(parts.size(), 15u);
  EXPECT_TRUE(parts[0].vertical());   // 外壁
  EXPECT_FALSE(parts[2].vertical());  // a roof
}

}  // namespace
}  // namespace kondra
