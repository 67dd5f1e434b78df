#include "calc/CalcFile.h"

#include <cmath>
#include <cstring>

#include "calc/CalcInput.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "calc/Results.h"
#include "core/calc/CalcTestData.h"
#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Text.h"
#include "materials/MaterialFiles.h"
#include "records/TableFile.h"

namespace kondra {
namespace {

int32_t MaterialNumber(const std::string& name) {
  DataLoad(MaterialFilePath());
  MaterialMatch m = FindMaterial(name);
  EXPECT_TRUE(m.found) << name;
  return m.number;
}

struct Row {
  const char* name;
  float mm;
};

const Row kWorkedExample[] = {
    {"外側(αo=20)", 0}, {"合板(例)", 12}, {"ｸﾞﾗｽｳｰﾙ(例)", 100}, {"石膏板(例)", 12}, {"内側(αi=8)", 0}};

class CalcFileTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    test::UseFactoryDatabases(temp);
    ResultDir.clear();
    fs::MakeFolders(CalcDir + "KDR\\");
  }
  void TearDown() override {
    DatDir.clear();
    CalcDir.clear();
    ResultDir.clear();
    KondraTest::TearDown();
  }

  // Enters a calculation as the window would, field by field.
  void Enter(const std::string& path, const std::vector<Row>& rows, int part = 1) {
    NewCalcFile(path);
    ASSERT_TRUE(StoreTitle("木造外壁の計算例"));
    ASSERT_TRUE(StorePartClass(part));
    ASSERT_TRUE(StoreCondition(kItemTempA, 0));
    ASSERT_TRUE(StoreCondition(kItemHumA, 80));
    ASSERT_TRUE(StoreCondition(kItemTempB, 20));
    ASSERT_TRUE(StoreCondition(kItemHumB, 60));
    for (std::size_t k = 1; k <= rows.size(); ++k) {
      const int row = static_cast<int>(k);
      ASSERT_TRUE(StoreLayerMaterial(row, MaterialNumber(rows[k - 1].name))) << rows[k - 1].name;
      if (rows[k - 1].mm != 0) {
        ASSERT_TRUE(StoreLayerThickness(row, rows[k - 1].mm));
      }
    }
  }
  void EnterWorkedExample(const std::string& path) {
    Enter(path, std::vector<Row>(std::begin(kWorkedExample), std::end(kWorkedExample)));
  }
  static bool Calculate() {
    if (!CheckInput(Calc).ok || PrepareCumulative(Calc)) return false;
    RunEngine(Calc);
    Calc.Calculated = true;
    return true;
  }
  std::string Path(const std::string& name) const { return CalcDir + "KDR\\" + name; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int k = 1; k <= 9; ++k) {
      Read_NSV5(CalcStore, LayerLabel(k));
      names.push_back(SLDT_NSV5.Name);
    }
    return names;
  }
  int Count(const std::string& text) const {
    int n = 0;
    for (const auto& p : face.statusHistory)
      if (p[0].find(text) != std::string::npos) ++n;
    return n;
  }
};

TEST_F(CalcFileTest, TheWorkedExampleFromTheDatabases) {
  EnterWorkedExample(Path("W1.KDR"));
  EXPECT_EQ(Calc.LayerCount, 5);
  EXPECT_EQ(Calc.LayerKinds, "ASSSA");
  EXPECT_TRUE(Calc.PartVertical);
  EXPECT_EQ(Calc.SideNameA, "外側");
  ASSERT_TRUE(Calculate());
  EXPECT_NEAR(Calc.TotalThermalRes, 2.8239f, 1e-4);
  EXPECT_NEAR(Calc.TotalVapourRes, 10.2163f, 1e-4);
  const float temps[] = {0.00f, 0.35f, 0.96f, 18.67f, 19.11f, 20.00f};
  for (int k = 1; k <= 6; ++k) EXPECT_NEAR(Calc.BoundTemp[static_cast<std::size_t>(k)], temps[k - 1], 0.005) << k;
  EXPECT_TRUE(Calc.VapourFromB);
  EXPECT_EQ(Calc.CondPlane, 3);
  EXPECT_EQ(Calc.FlowMark[3], "▲");
  EXPECT_NEAR(Calc.CondRate, 1.90f, 0.005);
  EXPECT_TRUE(DataModified);

  // The input grid shows each value with the decimals its record keeps.
  using Cells = std::array<std::string, 4>;
  EXPECT_EQ(LayerPropertyCells(1), (Cells{"", "    0.050", "", "    0.001"}));
  EXPECT_EQ(LayerPropertyCells(2), (Cells{"    0.140", "    0.086", "  0.00160", "     7.50"}));
  EXPECT_EQ(LayerThicknessCell(2), "      12.0");
  EXPECT_EQ(LayerThicknessCell(1), "");
  EXPECT_EQ(LayerPropertyCells(6), (Cells{}));
  const LayerLooks looks = MaterialLooks();
  EXPECT_EQ(looks[2].colour, 73);
  EXPECT_EQ(looks[1].colour, 126);
  EXPECT_EQ(looks[6].colour, LayerLook{}.colour);
}

TEST_F(CalcFileTest, SavedReadAndSavedAgainIsTheSameFileAndTheSameResults) {
  const std::string first = Path("W1.KDR"), second = Path("W2.KDR");
  EnterWorkedExample(first);
  ASSERT_TRUE(Calculate());
  const CalcState before = Calc;
  ASSERT_TRUE(SaveCalcFile(first));
  EXPECT_FALSE(DataModified);
  EXPECT_EQ(CalcStore, SavedCopy);  // the rebuild after the save changes nothing

  const std::string bytes = test::ReadBytes(first);
  std::size_t lines = 0;
  for (std::size_t at = 0; at < bytes.size(); ++lines) {
    std::size_t end = bytes.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(end - at, 88u) << "line " << lines + 1;
    at = end + 2;
  }
  EXPECT_EQ(lines, 1u + 4u + 9u);  // header, 1101–1104, 2101–2109
  const std::string text = test::ReadCp932(first);
  EXPECT_NE(text.find("№2101<NSV5>    126 "), std::string::npos) << text;
  EXPECT_NE(text.find("   0.050 0.00000   0.001 \r\n"), std::string::npos);  // the α row keeps rv 0.001

  ASSERT_TRUE(ReadCalcFile(first));
  EXPECT_FALSE(Calc.Calculated);
  ASSERT_TRUE(Calculate());
  for (int k = 1; k <= 10; ++k) {
    const auto i = static_cast<std::size_t>(k);
    EXPECT_EQ(Calc.BoundTemp[i], before.BoundTemp[i]) << k;
    EXPECT_EQ(Calc.RealPress[i], before.RealPress[i]) << k;
    EXPECT_EQ(Calc.FlowMark[i], before.FlowMark[i]) << k;
  }
  EXPECT_EQ(Calc.CondRate, before.CondRate);
  EXPECT_EQ(Calc.TotalVapourRes, before.TotalVapourRes);

  ASSERT_TRUE(SaveCalcFile(second));
  EXPECT_EQ(test::ReadBytes(second), bytes);
  EXPECT_EQ(CalcPath, second);
  EXPECT_EQ(Count("〔ファイル保存〕<" + second + ">"), 1);
}

// The sample of the installation was entered by kondra-cli new at build time.
TEST_F(CalcFileTest, TheSampleOfTheInstallationReadsAndSavesUnchanged) {
  const std::string root = fs::FromNative(KONDRA_INSTALL_TREE) + "\\";
  const std::string sample = root + "CAL\\KDR\\TEST_KDR.KDR";
  if (!fs::IsFile(sample)) GTEST_SKIP() << "this build has no sample calculation";
  DatDir = root + "DATA\\DAT\\";
  ASSERT_TRUE(ReadCalcFile(sample));
  EXPECT_FALSE(DataModified);
  ASSERT_TRUE(SaveCalcFile(Path("COPY.KDR")));
  EXPECT_EQ(test::ReadBytes(Path("COPY.KDR")), test::ReadBytes(sample));
  ASSERT_TRUE(Calculate());
  EXPECT_EQ(Calc.PartIndex, 1);
  EXPECT_EQ(Judge().panel, "判定：<ｸﾞﾗｽｳｰﾙ(例)>と<合板(例)>間で内部結露発生");
  EXPECT_NEAR(Calc.CondRate, 1.90f, 0.005);
}

TEST_F(CalcFileTest, ANewFileHasNothingToCalculate) {
  NewCalcFile(Path("N.KDR"));
  EXPECT_EQ(CalcStore.lines.size(), 1u);
  EXPECT_EQ(Calc.LayerCount, 0);
  EXPECT_EQ(CheckInput(Calc).message, "内外温度条件が等しくなっています。");
  EXPECT_EQ(Count("〔全データ初期化〕<" + Path("N.KDR") + ">"), 1);
}

TEST_F(CalcFileTest, InsertingBeforeRowTwoOfFourCopiesAndMovesDown) {
  Enter(Path("I.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 12}, {"石膏板(例)", 9.5f}, {"内側(αi=8)", 0}});
  face.answers = {MsgButton::No};
  EXPECT_FALSE(InsertLayerRow(2));
  EXPECT_EQ(face.LastBoxText(), "2層目〔合板(例)〕の上に１行挿入しますか？");
  EXPECT_EQ(Calc.LayerCount, 4);

  ASSERT_TRUE(InsertLayerRow(2));
  EXPECT_EQ(Names(), (std::vector<std::string>{"外側(αo=20)", "合板(例)", "合板(例)", "石膏板(例)", "内側(αi=8)", "",
                                               "", "", ""}));
  Read_NSV5(CalcStore, 2104);
  EXPECT_FLOAT_EQ(SLDT_NSV5.Value[1], 9.5f);
  EXPECT_EQ(Calc.LayerCount, 5);
  EXPECT_TRUE(DataModified);
  EXPECT_EQ(Count("〔１行挿入完了〕"), 1);
}

TEST_F(CalcFileTest, DeletingRowOneOfThreeMovesUpAndEmptiesTheLast) {
  Enter(Path("D.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 12}, {"内側(αi=8)", 0}});
  ASSERT_TRUE(DeleteLayerRow(1));
  EXPECT_EQ(face.boxes.back().text, "1層目〔外側(αo=20)〕を削除しますか？");
  EXPECT_EQ(Names(), (std::vector<std::string>{"合板(例)", "内側(αi=8)", "", "", "", "", "", "", ""}));
  Read_NSV5(CalcStore, 2103);
  EXPECT_EQ(SLDT_NSV5.Number, 0);
  EXPECT_EQ(SLDT_NSV5.Value[1], 0.0f);
  EXPECT_EQ(Calc.LayerCount, 2);
  EXPECT_EQ(Count("〔１行削除完了〕"), 1);

  // Nine rows filled: no insertion, no question.
  Enter(Path("F.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 1}, {"合板(例)", 2}, {"合板(例)", 3}, {"合板(例)", 4},
                        {"合板(例)", 5}, {"合板(例)", 6}, {"合板(例)", 7}, {"内側(αi=8)", 0}});
  const std::size_t boxes = face.boxes.size();
  EXPECT_FALSE(InsertLayerRow(3));
  EXPECT_EQ(face.boxes.size(), boxes);
}

TEST_F(CalcFileTest, AMaterialNoLongerInTheFileKeepsItsValuesAndIsRemarkedAtEveryRebuild) {
  Enter(Path("M.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 12}, {"内側(αi=8)", 0}});
  Read_NSV5(CalcStore, 2102);
  SLDT_NSV5.Name = "昔の合板";
  SLDT_NSV5.Value[2] = 0.12f;
  WriteLayerRecord(CalcStore, 2102);
  ASSERT_TRUE(SaveCalcFile(Path("M.KDR")));
  const std::string remark = "2番目の材料〔昔の合板〕は材料登録されていませんね。";
  const int seen = Count(remark);
  EXPECT_GE(seen, 1);
  ASSERT_TRUE(ReadCalcFile(Path("M.KDR")));
  EXPECT_EQ(Count(remark), seen + 1);
  RebuildInputs();
  EXPECT_EQ(Count(remark), seen + 2);
  EXPECT_EQ(Calc.LayerCount, 3);
  EXPECT_EQ(Calc.LayerName[2], "昔の合板");
  EXPECT_FLOAT_EQ(Calc.LayerData[2].Conductivity, 0.12f);
  EXPECT_FLOAT_EQ(Calc.LayerData[2].ThermalRes, 0.1f);

  // Refreshing the materials keeps it too, and updates the others.
  face.answers = {MsgButton::Cancel};
  EXPECT_FALSE(RefreshMaterials());
  int refreshed = 0;
  ASSERT_TRUE(RefreshMaterials([&] { ++refreshed; }));
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(face.LastBoxText(), "材料物性値を更新しました。");
  EXPECT_FLOAT_EQ(Calc.LayerData[2].Conductivity, 0.12f);
  EXPECT_FLOAT_EQ(Calc.LayerData[1].ThermalRes, 0.05f);
}

// A file written by the program, then damaged in one way.
TEST_F(CalcFileTest, DamagedFilesAreReportedAndTheOpenFileStays) {
  EnterWorkedExample(Path("GOOD.KDR"));
  ASSERT_TRUE(SaveCalcFile(Path("GOOD.KDR")));
  const std::string good = test::ReadCp932(Path("GOOD.KDR"));
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    return text;
  };
  std::string cut = good;
  {
    std::size_t at = cut.find("№2102");
    cut.erase(at + 60, cut.find("\r\n", at) - at - 60);
  }
  std::string utf8 = good;
  struct Case {
    const char* what;
    std::string bytes;  // CP932 unless utf8
    bool cp932;
    const char* reason;
  } cases[] = {
      {"binary", std::string("\x7f\x45\x4c\x46\x02\x01\x01\0\0\0\0\0", 12) + std::string(200, '\0'), false, ""},
      {"utf-8", good, false, "UTF-8"},
      {"truncated", cut, true, "途中で切れています"},
      {"label below 1000", replaced("№2109<NSV5>", "№ 999<NSV5>"), true, "1000未満"},
      {"not a number", replaced("    12.0", "    12.O"), true, "厚さの欄「    12.O」が数値ではありません"},
      {"wrong type", replaced("№1102<VV8> ", "№1102<NS2> "), true, "<VV8> のはず"},
      {"not a record", replaced("№1101", "XX1101"), true, "記録ではありません"},
  };
  const RecordStore open = CalcStore;
  const std::string openPath = CalcPath;
  for (const Case& c : cases) {
    face.Clear();
    const std::string path = Path("BAD.KDR");
    if (c.cp932)
      test::WriteCp932(path, c.bytes);
    else
      test::WriteBytes(path, c.bytes);
    EXPECT_FALSE(ReadCalcFile(path)) << c.what;
    ASSERT_EQ(face.boxes.size(), 1u) << c.what;
    EXPECT_NE(face.boxes[0].text.find(path), std::string::npos) << c.what;
    EXPECT_NE(face.boxes[0].text.find(c.reason), std::string::npos) << c.what << ": " << face.boxes[0].text;
    EXPECT_EQ(CalcStore, open) << c.what;
    EXPECT_EQ(CalcPath, openPath) << c.what;
  }
}

TEST_F(CalcFileTest, AMissingFileGivesAnEmptyCalculationForItsPath) {
  EnterWorkedExample(Path("W1.KDR"));
  EXPECT_FALSE(ReadCalcFile(Path("NONE.KDR")));
  EXPECT_NE(face.LastBoxText().find("読込むファイル名が見つかりません。"), std::string::npos);
  EXPECT_EQ(CalcStore.lines.size(), 1u);
  EXPECT_EQ(CalcPath, Path("NONE.KDR"));
  EXPECT_EQ(Calc.LayerCount, 0);
}

TEST_F(CalcFileTest, TheColourRepairRunsOncePerLoadOrSave) {
  // A material whose own colour number is 0: the repair finds 0 again after
  // its save and must not go round for ever.
  Enter(Path("C.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 12}, {"内側(αi=8)", 0}});
  DataLoad(MaterialFilePath());
  DT_Cell[2][11] = "0";
  ASSERT_TRUE(DataSave(MaterialFilePath()));
  Read_NSV5(CalcStore, 2101);
  SLDT_NSV5.HeadText[2] = "";
  WriteLayerRecord(CalcStore, 2101);
  ASSERT_TRUE(SaveCalcFile(Path("C.KDR")));
  const int saves = Count("〔ファイル保存〕");
  for (int i = 0; i < 5; ++i) RepairLayerRecords();
  EXPECT_EQ(Count("〔ファイル保存〕"), saves + 1);
  Read_NSV5(CalcStore, 2102);
  EXPECT_EQ(SLDT_NSV5.HeadText[2], "73");

  // An old file without colours gets them all.
  ASSERT_TRUE(ReadCalcFile(Path("C.KDR")));
  for (int k = 1; k <= 3; ++k) {
    Read_NSV5(CalcStore, LayerLabel(k));
    SLDT_NSV5.HeadText[2] = "";
    WriteLayerRecord(CalcStore, LayerLabel(k));
  }
  DataLoad(MaterialFilePath());
  DT_Cell[2][11] = "126";
  ASSERT_TRUE(DataSave(MaterialFilePath()));
  RepairLayerRecords();
  RepairLayerRecords();
  Read_NSV5(CalcStore, 2101);
  EXPECT_EQ(SLDT_NSV5.HeadText[2], "126");
  EXPECT_EQ(Count("〔ファイル保存〕"), saves + 2);
  EXPECT_NE(test::ReadCp932(Path("C.KDR")).find("№2101<NSV5>    126 "), std::string::npos);
}

TEST_F(CalcFileTest, TheMaterialNumberRepairTellsAndSaves) {
  Enter(Path("R.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 12}, {"内側(αi=8)", 0}});
  ASSERT_TRUE(SaveCalcFile(Path("R.KDR")));
  RepairLayerRecords();
  EXPECT_TRUE(face.boxes.empty());
  Read_NSV5(CalcStore, 2102);
  SLDT_NSV5.Number = 7;
  WriteLayerRecord(CalcStore, 2102);
  RepairLayerRecords();
  RepairLayerRecords();
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "〔材料物性.DAT〕ファイルが更新さているので、入力データの＜材料名＞を修正し保存します。");
  Read_NSV5(CalcStore, 2102);
  EXPECT_EQ(SLDT_NSV5.Number, MaterialNumber("合板(例)"));
  EXPECT_FALSE(DataModified);
}

TEST_F(CalcFileTest, RepairsNeverWriteFromADamagedMaterialFileAndKeepTheOriginal) {
  Enter(Path("R.KDR"), {{"外側(αo=20)", 0}, {"合板(例)", 12}, {"内側(αi=8)", 0}});
  Read_NSV5(CalcStore, 2102);
  SLDT_NSV5.Number = 7;
  WriteLayerRecord(CalcStore, 2102);
  ASSERT_TRUE(SaveCalcFile(Path("R.KDR")));
  const std::string original = test::ReadBytes(Path("R.KDR"));
  const std::string materials = test::ReadBytes(MaterialFilePath());

  // The material file counted 10 rows (its other rows unread), then missing.
  std::string cut = materials;
  cut.replace(0, 6, "    10");
  test::WriteBytes(MaterialFilePath(), cut);
  RepairLayerRecords();
  fs::RemoveFile(MaterialFilePath());
  RepairLayerRecords();
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_EQ(test::ReadBytes(Path("R.KDR")), original);
  EXPECT_FALSE(fs::Exists(Path("R.KDR.bak")));
  face.answers = {MsgButton::Yes};
  EXPECT_FALSE(RefreshMaterials({}));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_NE(face.boxes[0].text.find("〔材料物性.DAT〕が見つかりません"), std::string::npos) << face.boxes[0].text;
  EXPECT_EQ(test::ReadBytes(Path("R.KDR")), original);

  // Whole again: the repair tells, saves, and keeps the file as it was.
  face.boxes.clear();
  test::WriteBytes(MaterialFilePath(), materials);
  RepairLayerRecords();
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(test::ReadBytes(Path("R.KDR.bak")), original);
  EXPECT_NE(test::ReadBytes(Path("R.KDR")), original);
  Read_NSV5(CalcStore, 2102);
  EXPECT_EQ(SLDT_NSV5.Number, MaterialNumber("合板(例)"));

  // Both repairs in one go: the copy kept is the file as it was read, not
  // what the first repair saved.
  for (int k = 1; k <= 3; ++k) {
    Read_NSV5(CalcStore, LayerLabel(k));
    SLDT_NSV5.HeadText[2] = "";
    if (k == 2) SLDT_NSV5.Number = 7;
    WriteLayerRecord(CalcStore, LayerLabel(k));
  }
  ASSERT_TRUE(SaveCalcFile(Path("R.KDR")));
  const std::string unrepaired = test::ReadBytes(Path("R.KDR"));
  fs::RemoveFile(Path("R.KDR.bak"));
  face.boxes.clear();
  RepairLayerRecords();
  EXPECT_EQ(face.boxes.size(), 2u);
  EXPECT_EQ(test::ReadBytes(Path("R.KDR.bak")), unrepaired);
}

TEST_F(CalcFileTest, ResultFilesAndNumberedMetafiles) {
  const std::string folder = CalcDir + "KDR\\＜RESULT＞\\";
  ASSERT_TRUE(fs::MakeFolders(folder));
  ResultDir = folder;
  for (const char* name : {"Kondra(0).EMF", "Kondra(1).EMF", "xKondray.BMP", "other.EMF"})
    test::WriteBytes(folder + name, "x");
  EnterWorkedExample(Path("W1.KDR"));
  ASSERT_TRUE(SaveCalcFile(Path("W1.KDR")));
  EXPECT_FALSE(fs::Exists(folder + "Kondra(0).EMF"));
  EXPECT_FALSE(fs::Exists(folder + "Kondra(1).EMF"));
  EXPECT_FALSE(fs::Exists(folder + "xKondray.BMP"));
  EXPECT_TRUE(fs::Exists(folder + "other.EMF"));
  ASSERT_TRUE(DataLoad(folder + "FILE_NEM.DAT"));
  EXPECT_EQ(DT_Name[1], "-<なし>-");
  NoteFileName(Path("W1.KDR"));
  ASSERT_TRUE(DataLoad(folder + "FILE_NEM.DAT"));
  EXPECT_EQ(DT_Name[1], "W1");

  const std::string dir = CalcDir + "KDR\\";
  for (const char* name : {"W1(0).EMF", "W1(1).EMF", "W1(2).EMF", "W1(3).EMF", "W2(0).EMF"})
    test::WriteBytes(dir + name, "x");
  DeleteNumberedMetafiles(dir + "W1.KDR", 2);
  EXPECT_FALSE(fs::Exists(dir + "W1(0).EMF"));
  EXPECT_FALSE(fs::Exists(dir + "W1(2).EMF"));
  EXPECT_TRUE(fs::Exists(dir + "W1(3).EMF"));
  EXPECT_TRUE(fs::Exists(dir + "W2(0).EMF"));
  EXPECT_TRUE(fs::Exists(dir + "W1.KDR"));
  DeleteNumberedMetafiles(dir + "W1.KDR", 2);  // missing ones are skipped
  EXPECT_TRUE(face.systemErrors.empty());
}

TEST_F(CalcFileTest, TheFieldsCheckAndClampAsTheWindowDoes) {
  NewCalcFile(Path("E.KDR"));
  ASSERT_TRUE(StoreCondition(kItemTempA, -80));
  ASSERT_TRUE(StoreCondition(kItemHumB, 100));
  EXPECT_EQ(Calc.SideCond[1].Temp, -50.0f);
  EXPECT_EQ(Calc.SideCond[2].RelHum, 99.0f);
  EXPECT_FALSE(StoreTitle("   "));
  EXPECT_FALSE(StoreTitle("計算😀"));
  ASSERT_TRUE(StoreTitle(std::string(70, 'A')));
  EXPECT_EQ(Calc.Title, std::string(60, 'A'));

  face.Clear();
  EXPECT_FALSE(StoreLayerMaterial(1, MaterialNumber("合板(例)")));
  EXPECT_EQ(face.LastBoxText(), kFirstRowNotAlpha);
  EXPECT_EQ(face.boxes.back().kind, 3);
  ASSERT_TRUE(StoreLayerMaterial(1, MaterialNumber("外側(αo=20)")));
  EXPECT_FALSE(StoreLayerMaterial(2, MaterialNumber("内側(αi=8)")));
  EXPECT_EQ(face.LastBoxText(), kTwoAlphaRows);
  const std::size_t boxes = face.boxes.size();
  EXPECT_FALSE(StoreLayerMaterial(2, 157));  // a free row: refused without a word
  EXPECT_FALSE(StoreLayerMaterial(2, 9999));
  EXPECT_EQ(face.boxes.size(), boxes);
  ASSERT_TRUE(StoreLayerMaterial(2, MaterialNumber("合板(例)")));
  EXPECT_FALSE(StoreLayerThickness(2, 0));
  ASSERT_TRUE(StoreLayerThickness(2, 12));
  EXPECT_FLOAT_EQ(Calc.LayerData[2].ThermalRes, 0.012f / 0.14f);
  ASSERT_TRUE(StoreLayerThickness(1, 25));  // an α row stays 0 mm thick
  EXPECT_EQ(Calc.LayerData[1].Thickness, 0.0f);
  ASSERT_TRUE(StoreLayerValue(2, 2, 0.002f));
  EXPECT_FLOAT_EQ(Calc.LayerData[2].VapourRes, 6.0f);
  EXPECT_FALSE(StoreLayerThickness(5, 10));  // no material in that row

  // The part class: its code from column 4 of 部位区分.DAT, the side names by number.
  ASSERT_TRUE(StorePartClass(3));
  EXPECT_FALSE(Calc.PartVertical);
  Read_NS2(CalcStore, kPartLabel);
  EXPECT_EQ(SLDT_NS2.Name[1], "勾配屋根");
  EXPECT_EQ(SLDT_NS2.Name[2], "H");
  ASSERT_TRUE(StorePartClass(9));
  EXPECT_TRUE(Calc.PartVertical);
  EXPECT_EQ(Calc.SideNameA, "室内");
  EXPECT_EQ(Calc.SideNameB, "土中");
  EXPECT_FALSE(StorePartClass(0));
  EXPECT_FALSE(StorePartClass(99));
  EXPECT_FALSE(Calc.Calculated);
}

// Every material of the factory database, taken into a layer row as the
// window does, is kept in its record as the file gives it.
TEST_F(CalcFileTest, EveryFactoryMaterialKeepsItsValuesInItsLayerRecord) {
  std::vector<TMaterialRow> rows;
  ASSERT_TRUE(LoadMaterialRows(rows));
  const int32_t outside = MaterialNumber("外側(αo=20)");
  int taken = 0;
  for (const TMaterialRow& row : rows) {
    const std::string& name = row.cell[1];
    if (name.empty() || IsHeadingMaterial(name) || IsFreeMaterial(name)) continue;
    NewCalcFile(Path("M.KDR"));
    ASSERT_TRUE(StoreTitle("材料"));
    const bool alpha = IsSurfaceMaterial(name);
    const int k = alpha ? 1 : 2;
    if (!alpha) {
      ASSERT_TRUE(StoreLayerMaterial(1, outside));
    }
    ASSERT_TRUE(StoreLayerMaterial(k, row.number)) << name;
    ++taken;
    // Through the file and back, as a later session reads it.
    ASSERT_TRUE(SaveCalcFile(Path("M.KDR")));
    ASSERT_TRUE(ReadCalcFile(Path("M.KDR")));
    Read_NSV5(CalcStore, LayerLabel(k));
    for (int column = 2; column <= 5; ++column) {
      const float file = TextToSingle(row.cell[static_cast<std::size_t>(column)]);
      const float kept = SLDT_NSV5.Value[static_cast<std::size_t>(column)];
      EXPECT_LE(std::fabs(kept - file), 0.005f * std::fabs(file))
          << name << " column " << column << ": " << row.cell[static_cast<std::size_t>(column)] << " kept as " << kept;
    }
  }
  EXPECT_GT(taken, 0);
  EXPECT_EQ(face.AllStatusText().find("8桁の欄に収まらない"), std::string::npos);
}

// A thickness is kept as typed, and the resistances follow from it.
TEST_F(CalcFileTest, ThicknessesAreKeptAsTyped) {
  struct Case {
    float mm;
    const char* cell;
  } cases[] = {{0.1f, "0.1"},     {0.15f, "0.15"},   {0.2f, "0.2"},     {0.3f, "0.3"},
               {0.7f, "0.7"},     {1.3f, "1.3"},     {2.5f, "2.5"},     {9.9f, "9.9"},
               {12.0f, "12.0"},   {12.25f, "12.25"}, {100.0f, "100.0"}, {333.3f, "333.3"},
               {999.9f, "999.9"}, {12345.6f, "12345.6"}};
  Enter(Path("T.KDR"), {{"外側(αo=20)", 0}, {"合板", 1}, {"内側(αi=8)", 0}});
  for (const Case& c : cases) {
    ASSERT_TRUE(StoreLayerThickness(2, c.mm)) << c.mm;
    ASSERT_TRUE(SaveCalcFile(Path("T.KDR")));
    ASSERT_TRUE(ReadCalcFile(Path("T.KDR")));
    EXPECT_EQ(Calc.LayerData[2].Thickness, c.mm);
    EXPECT_FLOAT_EQ(Calc.LayerData[2].ThermalRes, static_cast<float>(0.001 * c.mm / Calc.LayerData[2].Conductivity))
        << c.mm;
    EXPECT_EQ(TrimLeft(LayerThicknessCell(2)), c.cell);
  }
}

// Fields edited by hand with a thousands separator or an exponent open and
// count as the numbers they show; what the reader cannot take is refused.
TEST_F(CalcFileTest, HandEditedNumbersOpenAsTheyRead) {
  EnterWorkedExample(Path("H.KDR"));
  ASSERT_TRUE(SaveCalcFile(Path("H.KDR")));
  std::string text = test::ReadCp932(Path("H.KDR"));
  auto replace = [&](const std::string& line, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    const std::size_t field = text.find(from, at);
    ASSERT_LT(field, text.find("\r\n", at)) << from;
    text.replace(field, from.size(), to);
  };
  replace("№1102<VV8>", "     0.0", "   1.0E1");
  replace("№2102<NSV5>", "    12.0", " 1,234.5");
  test::WriteCp932(Path("H.KDR"), text);
  face.Clear();
  ASSERT_TRUE(ReadCalcFile(Path("H.KDR"))) << face.LastBoxText();
  EXPECT_EQ(Calc.SideCond[1].Temp, 10.0f);
  EXPECT_EQ(Calc.LayerData[2].Thickness, 1234.5f);
  EXPECT_FLOAT_EQ(Calc.LayerData[2].ThermalRes, static_cast<float>(1.2345 / 0.14f));
  ASSERT_TRUE(Calculate());
  EXPECT_EQ(Calc.BoundTemp[1], 10.0f);

  struct Bad {
    const char* field;
    const char* reason;
  } bads[] = {{"  1.0E1x", "が数値ではありません"},
              {" 1.2.3.4", "が数値ではありません"},
              {"   1E999", "が数値ではありません"},
              {" 9.9E+99", "は大きすぎて数値として扱えません"}};
  for (const Bad& bad : bads) {
    std::string broken = text;
    broken.replace(broken.find("   1.0E1"), 8, bad.field);
    test::WriteCp932(Path("B.KDR"), broken);
    face.Clear();
    EXPECT_FALSE(ReadCalcFile(Path("B.KDR"))) << bad.field;
    EXPECT_NE(face.LastBoxText().find("温度の欄「" + std::string(bad.field) + "」" + bad.reason), std::string::npos)
        << face.LastBoxText();
  }
}

// A plane on a surface boundary: the amount is named for what it is.
TEST_F(CalcFileTest, AnAmountOnASurfaceIsToldAsSurfaceCondensation) {
  struct Case {
    std::vector<Row> rows;
    float tempA, humA, tempB, humB;
    bool surface;
  } cases[] = {
      {{{"外側(αo=20)", 0}, {"板ｶﾞﾗｽ", 3}, {"内側(αi=8)", 0}}, -5, 80, 20, 60, true},
      {{std::begin(kWorkedExample), std::end(kWorkedExample)}, 0, 80, 20, 60, false},
  };
  for (const Case& c : cases) {
    Enter(Path("S.KDR"), c.rows);
    ASSERT_TRUE(StoreCondition(kItemTempA, c.tempA));
    ASSERT_TRUE(StoreCondition(kItemHumA, c.humA));
    ASSERT_TRUE(StoreCondition(kItemTempB, c.tempB));
    ASSERT_TRUE(StoreCondition(kItemHumB, c.humB));
    ASSERT_TRUE(Calculate());
    ASSERT_NE(Calc.CondPlane, 0);
    EXPECT_EQ(SurfacePlane(), c.surface);
    EXPECT_EQ(SurfaceAmountNote(), c.surface ? kSurfaceAmountNote : "");
  }
}

TEST_F(CalcFileTest, SideNamesByPartClass) {
  const std::pair<int, const char*> cases[] = {{0, "外側内側"},  {5, "外側内側"},  {6, "土中室内"},
                                               {7, "室内床下"},  {8, "室内外気"},  {10, "室内土中"},
                                               {12, "Ａ側Ｂ側"}, {13, "上側下側"}, {15, "Ａ側Ｂ側"},
                                               {16, "外側内側"}};
  for (auto [part, both] : cases) {
    auto [a, b] = SideNames(part);
    EXPECT_EQ(a + b, both) << part;
  }
}

TEST_F(CalcFileTest, TheStartUpFile) {
  EXPECT_EQ(OpenStartupFile(""), SampleCalcPath());
  EXPECT_TRUE(IsSampleFile(CalcPath));
  EXPECT_EQ(ResultDir, CalcDir + "KDR\\＜RESULT＞\\");
  EXPECT_EQ(CalcStore.lines.size(), 1u);  // not there yet: a new calculation

  EnterWorkedExample(Path("W1.KDR"));
  ASSERT_TRUE(SaveCalcFile(Path("W1.KDR")));
  EXPECT_EQ(OpenStartupFile(Path("w1.kdr")), Path("w1.kdr"));  // found whatever the case
  EXPECT_EQ(Calc.LayerCount, 5);
  EXPECT_FALSE(IsSampleFile(CalcPath));
  EXPECT_EQ(OpenStartupFile(temp.path() + "なし.???"), SampleCalcPath());
}

}  // namespace
}  // namespace kondra
