#include "env/Environment.h"

#include <unistd.h>

#include <filesystem>
#include <regex>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "env/Units.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

const char* const kNoEnvironment = "利用環境ファイルが見つからないので、プログラムは実行できません。";
const std::string kOwnFolder = std::string("<??") + "?>";

class EnvironmentTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    face.screenWidth = 1280;
    face.screenHeight = 1024;
    SetProgramIdentity();
  }
  void TearDown() override {
    for (std::string* folder : {&StartDrive, &RootDir, &DataDir, &CalcDir, &DatDir, &ColorDir, &PictDir, &HelpDir})
      folder->clear();
    EnvRow = {};
    EnvReadOnly = false;
    ProgramTitle.clear();
    ProgramName.clear();
    LastCalcFile.clear();
    LastFileRow = {};
    SplitPath({});
    KondraTest::TearDown();
  }

  // A copy of this build's installation (DATA\ only) in `root`, a program
  // path with a trailing "\". The environment file is the factory copy
  // 利用環境.ORG (the program rewrites the build's own), and the sample
  // calculation is in place so that the last file of the factory rows exists.
  static void Install(const std::string& root) {
    const std::string native = fs::ToNative(root);
    std::filesystem::create_directories(native);
    const auto options = std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy(std::string(KONDRA_INSTALL_TREE) + "/DATA", native + "/DATA", options);
    std::filesystem::copy(native + "/DATA/利用環境.ORG", native + "/DATA/利用環境.WIN", options);
    ASSERT_TRUE(fs::MakeFolders(root + "CAL\\KDR"));
    test::WriteBytes(root + "CAL\\KDR\\TEST_KDR.KDR", "sample\r\n");
  }
  static std::array<std::string, 22> Rows(const std::string& file) {
    std::array<std::string, 22> rows;
    EXPECT_TRUE(DataLoad(file)) << file;
    EXPECT_EQ(DT_RowCount, 21);
    for (std::size_t k = 1; k <= 21; ++k) rows[k] = DT_Name[k];
    return rows;
  }
  // Replaces rows of an environment file.
  static void SetRows(const std::string& file, const std::vector<std::pair<int, std::string>>& rows) {
    ASSERT_TRUE(DataLoad(file));
    for (const auto& [k, text] : rows) {
      DT_Name[static_cast<std::size_t>(k)] = text;
      DT_Cell[static_cast<std::size_t>(k)][1] = text;
    }
    ASSERT_TRUE(DataSave(file));
  }
  static StartupOptions At(const std::string& root, bool readOnly = false) {
    StartupOptions options;
    options.root = root;
    options.readOnly = readOnly;
    return options;
  }

  std::string root = temp.path() + "inst\\";
};

TEST_F(EnvironmentTest, StartupRewritesTheMachineRowsAndKeepsTheOthers) {
  Install(root);
  const auto before = Rows(root + "DATA\\利用環境.WIN");
  ASSERT_TRUE(Startup(At(root)));
  EXPECT_TRUE(face.boxes.empty()) << face.LastBoxText();
  const auto after = Rows(root + "DATA\\利用環境.WIN");

  for (int k : {1, 2, 3, 13, 14, 15, 21}) EXPECT_EQ(after[k], before[k]) << "row " << k;
  EXPECT_TRUE(std::regex_match(after[4], std::regex("ﾒﾓﾘ:[1-9][0-9]*MB\\([0-9]+MB\\) CRT:1280x1024"))) << after[4];
  const std::pair<int, std::string> expected[] = {
      {5, "Windows Drive[]"},
      {6, "Start Drive[C:]"},
      {7, RootDir},
      {8, ""},
      {9, "C:...DATA\\"},
      {10, "roraridev Ver.8.20"},
      {11, "Kondra.EXE Ver.8.20 (国№ 1)"},
      {16, "FD[A:] CD[  ] MC[  ] HD[C:]"},
      {17, "[  9][ 10][ 14][ 12][ 15][  0]"},
      {18, "[  9][ 10][ 14][ 12][ 15][  0]"},
      {19, "[  9][ 10][ 14][ 12][ 15][  0]"},
      {20, "KONDRA.COL"},
  };
  for (const auto& [k, text] : expected) EXPECT_EQ(after[static_cast<std::size_t>(k)], text) << "row " << k;
  EXPECT_TRUE(std::regex_match(after[12], std::regex("20[0-9]{2}/[01][0-9]/[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
      << after[12];

  EXPECT_EQ(StartDrive + RootDir, root);
  EXPECT_EQ(DataDir, root + "DATA\\");
  EXPECT_EQ(CalcDir, root + "CAL\\");
  EXPECT_EQ(DatDir, root + "DATA\\DAT\\");
  EXPECT_EQ(ColorDir, root + "DATA\\COLOR\\");
  EXPECT_EQ(PictDir, root + "DATA\\PICT\\");
  EXPECT_EQ(HelpDir, root + "DATA\\HELP\\");
  EXPECT_EQ(UserName, "【ユーザー名】");
  EXPECT_EQ(CountryNo, 1);
  EXPECT_EQ(CountryName, "日本");
  EXPECT_EQ(ColorScheme[2], (std::array<int32_t, 7>{0, 9, 10, 14, 12, 15, 0}));
  EXPECT_EQ(ColorFile, ColorDir + "KONDRA.COL");
  EXPECT_EQ(DriveFD, "A:");
  EXPECT_EQ(DriveHD, "C:");
  EXPECT_EQ(ScreenWidth, 1280);
  EXPECT_EQ(LastCalcFile, root + "CAL\\KDR\\TEST_KDR.KDR");
  EXPECT_EQ(face.pointerX, 640);
  EXPECT_EQ(face.pointerY, 512);
}

TEST_F(EnvironmentTest, AReadOnlyStartWritesNothing) {
  Install(root);
  const std::string file = root + "DATA\\利用環境.WIN";
  const std::string bytes = test::ReadBytes(file);
  ASSERT_TRUE(Startup(At(root, true)));
  EXPECT_NE(EnvRow[4].find("CRT:1280x1024"), std::string::npos);
  Shutdown(root + "CAL\\KDR\\TEST_KDR.KDR");
  EXPECT_FALSE(SaveLastFileRecord("QVWD情報.DAT", file));
  EXPECT_EQ(test::ReadBytes(file), bytes);
  EXPECT_FALSE(fs::Exists(root + "DATA\\QVWD情報.DAT"));
}

TEST_F(EnvironmentTest, ALongRootIsSplitOverRows7And8WithoutSplittingACharacter) {
  const std::string base = temp.path().substr(2);  // without the drive
  struct Case {
    int firstKanjiByte;  // 1-based byte of the root where the folder's first two-byte character starts
    int row7Bytes;
  } cases[] = {{40, 39}, {39, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.firstKanjiByte);
    const int pad = c.firstKanjiByte - 1 - MBWidth(base);
    if (pad < 1) GTEST_SKIP() << "the temporary folder is too deep for this case: " << base;
    const std::string installRoot = temp.path() + std::string(static_cast<std::size_t>(pad), 'a') + "結露計算の利用環境\\";
    ASSERT_GT(MBWidth(installRoot.substr(2)), 40);
    Install(installRoot);
    ASSERT_TRUE(Startup(At(installRoot)));
    const auto rows = Rows(installRoot + "DATA\\利用環境.WIN");
    EXPECT_EQ(MBWidth(rows[7]), c.row7Bytes) << rows[7];
    EXPECT_EQ(rows[7] + rows[8], RootDir);
    EXPECT_EQ(RootDir, installRoot.substr(2));
  }
}

TEST_F(EnvironmentTest, TheCountryComesFromRow11) {
  struct Case {
    const char* row11;
    int number;
    const char* name;
  } cases[] = {
      {"Kondra.EXE Ver.8.20 (国№ 3)", 3, "ドイツ"},
      {"Kondra.EXE Ver.8.20", 1, "日本"},
      {"Kondra.EXE Ver.8.20 (国№ 7)", 7, ""},  // no such row in the country list
      {"Kondra.EXE Ver.8.20 (国№-2)", 1, "日本"},
  };
  Install(root);
  DT_RowCount = 3;
  DT_ColCount = 3;
  DT_ColWidth = {0, 20, 12, 8};
  const char* countries[][3] = {{"日本", "JAPAN", "JPN"}, {"アメリカ", "USA", "USA"}, {"ドイツ", "GERMANY", "DEU"}};
  for (std::size_t i = 1; i <= 3; ++i) {
    DT_Name[i] = countries[i - 1][0];
    for (std::size_t j = 1; j <= 3; ++j) DT_Cell[i][j] = countries[i - 1][j - 1];
  }
  ASSERT_TRUE(DataSave(root + "DATA\\DAT\\国名.DAT"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row11);
    SetRows(root + "DATA\\利用環境.WIN", {{11, c.row11}});
    ASSERT_TRUE(Startup(At(root)));
    EXPECT_EQ(CountryNo, c.number);
    EXPECT_EQ(CountryName, c.name);
    EXPECT_EQ(Rows(root + "DATA\\利用環境.WIN")[11], "Kondra.EXE Ver.8.20 (国№" + PadLeft(std::to_string(c.number), 2) + ")");
  }
}

TEST_F(EnvironmentTest, TheLastFileIsReopenedUnlessAnUnexpectedErrorWasRecorded) {
  for (bool failed : {false, true}) {
    SCOPED_TRACE(failed ? "after an error" : "after a normal run");
    Install(root);
    const std::string calc = root + "CAL\\壁1.KDR";
    test::WriteBytes(calc, "calc\r\n");
    ASSERT_TRUE(Startup(At(root)));
    if (failed) ReportException("ゼロ除算");
    const std::string error = LastErrorText;
    Shutdown(calc);
    const auto rows = Rows(root + "DATA\\利用環境.WIN");
    EXPECT_EQ(rows[13], "C:...CAL\\");
    EXPECT_EQ(rows[14], "壁1");
    // The error text is cut to the row, never inside a character.
    EXPECT_EQ(rows[15], failed ? "ゼロ除算エラーが発生しました。（システム" : ".KDR");
    EXPECT_EQ(failed ? error.rfind(rows[15], 0) : 0u, 0u);

    face.Clear();
    ASSERT_TRUE(Startup(At(root)));
    if (failed) {
      EXPECT_EQ(CurFileName, "なし.???");
      EXPECT_EQ(CurExt, ".???");
      EXPECT_EQ(CurDir, "C:...");
      EXPECT_EQ(LastCalcFile, root + "なし.???");
    } else {
      EXPECT_EQ(LastCalcFile, calc);
      EXPECT_EQ(CurExt, ".KDR");
    }
    EXPECT_TRUE(LastErrorText.empty()) << "a new run starts without an error";
  }
}

TEST_F(EnvironmentTest, AFileInAFolderOfItsOwnNameIsFoundThroughItsBaseName) {
  Install(root);
  const std::string calc = root + "CAL\\N\\N.KDR";
  ASSERT_TRUE(fs::MakeFolders(root + "CAL\\N"));
  test::WriteBytes(calc, "calc\r\n");

  // The old form: "<???>" stands for the base name of row 14.
  SetRows(root + "DATA\\利用環境.WIN", {{13, "C:...CAL\\" + kOwnFolder + "\\"}, {14, "N"}, {15, ".KDR"}});
  ASSERT_TRUE(Startup(At(root)));
  EXPECT_EQ(LastCalcFile, calc);
  EXPECT_EQ(CurName, "N");
  EXPECT_EQ(CurExt, ".KDR");
  EXPECT_EQ(Rows(root + "DATA\\利用環境.WIN")[13], "C:...CAL\\" + kOwnFolder + "\\") << "kept as read";

  // Saved with the file, the folder is written with "･･･" and found again.
  Shutdown(calc);
  const auto rows = Rows(root + "DATA\\利用環境.WIN");
  EXPECT_EQ(rows[13], "C:...CAL\\･･･\\");
  EXPECT_EQ(rows[14], "N");
  ASSERT_TRUE(Startup(At(root)));
  EXPECT_EQ(LastCalcFile, calc);
}

TEST_F(EnvironmentTest, AFolderTooLongForRow13IsNotStoredCut) {
  Install(root);
  const std::string folder = root + "CAL\\" + std::string(40, 'f') + "\\";
  ASSERT_TRUE(fs::MakeFolders(folder));
  test::WriteBytes(folder + "W.KDR", "calc\r\n");
  ASSERT_TRUE(Startup(At(root)));
  Shutdown(folder + "W.KDR");
  const auto rows = Rows(root + "DATA\\利用環境.WIN");
  EXPECT_EQ(rows[13], "C:...");
  EXPECT_EQ(rows[14], "なし");
  EXPECT_TRUE(face.AllStatusText().find("切り詰め") == std::string::npos) << face.AllStatusText();
}

TEST_F(EnvironmentTest, WithoutAnEnvironmentFileTheStartIsCancelled) {
  struct Case {
    const char* what;
    StartupOptions options;
  } cases[] = {
      {"named root", At(temp.path() + "empty\\")},
      {"search", StartupOptions{"", false, temp.path() + "prog\\", temp.path() + "user\\"}},
      {"read-only search", StartupOptions{"", true, temp.path() + "prog\\", temp.path() + "user\\"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    face.Clear();
    EXPECT_FALSE(Startup(c.options));
    EXPECT_TRUE(MsgCancel);
    ASSERT_EQ(face.boxes.size(), 1u);
    EXPECT_EQ(face.boxes[0].kind, 4);
    EXPECT_EQ(face.boxes[0].text.rfind(kNoEnvironment, 0), 0u) << face.boxes[0].text;
    EXPECT_TRUE(fs::ListFolder(temp.path()).empty()) << "nothing is created";
  }
}

class StartupFolderTest : public EnvironmentTest {
 protected:
  std::string program = temp.path() + "prefix\\bin\\";
  std::string factory = temp.path() + "prefix\\share\\kondra\\";
  std::string user = temp.path() + "home\\kondra\\";
  StartupOptions Search(bool readOnly = false) { return StartupOptions{"", readOnly, program, user}; }
};

TEST_F(StartupFolderTest, AnInstallationInTheProgramFolderIsUsedAsItIs) {
  Install(program);
  ASSERT_TRUE(Startup(Search()));
  EXPECT_EQ(StartDrive + RootDir, program);
  EXPECT_FALSE(fs::Exists(user)) << "nothing is created outside the installation";
}

TEST_F(StartupFolderTest, TheUserFolderIsSeededFromTheSharedTreeOnce) {
  Install(factory);
  test::WriteBytes(factory + "kondra.TXT", "guide");
  test::WriteBytes(factory + "kondra", "a program");
  ASSERT_TRUE(fs::MakeFolders(program));
  const std::string factoryEnv = test::ReadBytes(factory + "DATA\\利用環境.WIN");

  // A read-only start reads the shared tree and creates nothing.
  ASSERT_TRUE(Startup(Search(true)));
  EXPECT_EQ(StartDrive + RootDir, factory);
  EXPECT_FALSE(fs::Exists(user));

  // A file the user already has is kept.
  ASSERT_TRUE(fs::MakeFolders(user + "DATA\\DAT"));
  test::WriteBytes(user + "DATA\\DAT\\国名.DAT", "mine");
  ASSERT_TRUE(Startup(Search()));
  EXPECT_EQ(StartDrive + RootDir, user);
  EXPECT_EQ(test::ReadBytes(user + "DATA\\DAT\\国名.DAT"), "mine");
  for (const char* file : {"DATA\\DAT\\材料物性.DAT", "DATA\\COLOR\\KONDRA.COL", "DATA\\利用環境.ORG", "CAL\\KDR\\TEST_KDR.KDR"})
    EXPECT_EQ(test::ReadBytes(user + file), test::ReadBytes(factory + file)) << file;
  EXPECT_EQ(test::ReadBytes(user + "kondra.TXT"), "guide");
  EXPECT_FALSE(fs::Exists(user + "kondra")) << "programs are not part of the installation";
  EXPECT_EQ(Rows(user + "DATA\\利用環境.WIN")[7], RootDir);
  EXPECT_EQ(test::ReadBytes(factory + "DATA\\利用環境.WIN"), factoryEnv) << "the factory tree is never written";

  // The next start uses the user's installation as it now is.
  test::WriteBytes(user + "DATA\\DAT\\材料物性.DAT", "edited");
  ASSERT_TRUE(Startup(Search()));
  EXPECT_EQ(StartDrive + RootDir, user);
  EXPECT_EQ(test::ReadBytes(user + "DATA\\DAT\\材料物性.DAT"), "edited");
}

TEST_F(StartupFolderTest, AnInstallationThatCannotBeWrittenIsCopiedForTheUser) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  Install(program);
  const std::string data = fs::ToNative(program + "DATA");
  std::filesystem::permissions(data, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  // Before the first start a read-only start reads the program's tree ...
  EXPECT_TRUE(Startup(Search(true)));
  EXPECT_EQ(StartDrive + RootDir, program);
  EXPECT_FALSE(fs::Exists(user));
  EXPECT_TRUE(Startup(Search()));
  EXPECT_EQ(StartDrive + RootDir, user);
  EXPECT_TRUE(fs::IsFile(user + "DATA\\DAT\\材料物性.DAT"));
  // ... and afterwards the user's copy, as the program does.
  EXPECT_TRUE(Startup(Search(true)));
  EXPECT_EQ(StartDrive + RootDir, user);
  std::filesystem::permissions(data, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

TEST_F(EnvironmentTest, AMissingLastFileRecordStartsEmptyAndSaysSo) {
  Install(root);
  ASSERT_TRUE(Startup(At(root)));
  LastFileRow[3] = "old";
  EXPECT_FALSE(LoadLastFileRecord("QVWD情報.DAT"));
  EXPECT_EQ(LastFileRow, (std::array<std::string, 11>{}));
  EXPECT_TRUE(CurPath.empty());
  EXPECT_NE(face.AllStatusText().find("〔QVWD情報.DAT〕が見つからないので"), std::string::npos) << face.AllStatusText();
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(EnvironmentTest, ALastFileRecordKeepsTheFileAndTheOwnersRows) {
  Install(root);
  ASSERT_TRUE(Startup(At(root)));
  const std::string file = root + "DATA\\DAT\\国名.DAT";
  for (std::size_t k = 6; k <= 9; ++k) LastFileRow[k] = "[" + std::to_string(k) + "]";
  ASSERT_TRUE(SaveLastFileRecord("QVWD情報.DAT", file));
  LastFileRow = {};
  SplitPath({});
  ASSERT_TRUE(LoadLastFileRecord("QVWD情報.DAT"));
  const std::array<std::string, 10> expected = {"", "C:", "C:...DATA\\DAT\\", "国名.DAT", "国名", ".DAT", "[6]", "[7]", "[8]", "[9]"};
  for (std::size_t k = 1; k <= 9; ++k) EXPECT_EQ(LastFileRow[k], expected[k]) << "row " << k;
  EXPECT_TRUE(std::regex_match(LastFileRow[10], std::regex("[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")));
  EXPECT_EQ(CurPath, file);
}

TEST_F(EnvironmentTest, TheProgramStartsOnTheEngineeringUnitsWithThePairsLoaded) {
  Install(root);
  SetUnitSystem(kSIUnits);
  ASSERT_TRUE(StartProgram(At(root, true)));
  EXPECT_FALSE(SIUnits);
  EXPECT_EQ(UnitSystemName, "工学単位");
  EXPECT_GT(UnitPairCount, 0);
  EXPECT_EQ(CurPath, LastCalcFile) << "the path components name the last file again";
}

TEST(StartupArgs, RootIsTakenOutOfTheArguments) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
    std::string root;
    std::vector<std::string> rest;
  } cases[] = {
      {{"--root", "/x/y", "env"}, true, "/x/y", {"env"}},
      {{"env", "--root=rel/dir", "-v"}, true, "rel/dir", {"env", "-v"}},
      {{"env"}, true, "", {"env"}},
      {{"env", "--root"}, false, "", {}},
      {{"--root="}, false, "", {}},
  };
  for (auto& c : cases) {
    StartupOptions options;
    std::string error;
    std::vector<std::string> args = c.args;
    EXPECT_EQ(TakeStartupArgs(args, options, error), c.ok);
    if (!c.ok) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(options.root, c.root);
    EXPECT_EQ(args, c.rest);
  }
}

}  // namespace
}  // namespace kondra
