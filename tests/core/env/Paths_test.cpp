#include "env/Paths.h"

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <ctime>

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class PathsTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    cwd_ = fs::CurrentFolder();
  }
  void TearDown() override {
    fs::SetCurrentFolder(cwd_);
    RootDir.clear();
    StartDrive.clear();
    DatDir.clear();
    SplitPath("");
    KondraTest::TearDown();
  }
  std::string Make(const std::string& rel, const std::string& bytes = "x") {
    std::string path = temp.path() + rel;
    std::string dir = path.substr(0, path.rfind('\\'));
    fs::MakeFolders(dir);
    test::WriteBytes(path, bytes);
    return path;
  }
  // The installation folder as start-up sets it: the temporary folder.
  void InstallAtTemp() {
    StartDrive = "C:";
    RootDir = temp.path().substr(2);
  }

  std::string cwd_;
};

TEST_F(PathsTest, SplitPathSetsEveryComponent) {
  struct Case {
    std::string path, drive, dir, dirNoDrive, fileName, ext, name;
  } cases[] = {
      {"C:\\calc\\a.b.kdr", "C:", "C:\\calc\\", "\\CALC\\", "a.b.kdr", ".KDR", "a"},
      {"C:\\calc\\noext", "C:", "C:\\calc\\", "\\CALC\\", "noext", "", "noext"},
      {"C:\\データ\\壁.kdr", "C:", "C:\\データ\\", "\\データ\\", "壁.kdr", ".KDR", "壁"},
      {"計算:C:\\x\\y.Kdr", "C:", "C:\\x\\", "\\X\\", "y.Kdr", ".KDR", "y"},  // tag dropped
      {"C:x.kdr", "C:", "C:", "", "x.kdr", ".KDR", "x"},
  };
  for (const auto& c : cases) {
    SplitPath(c.path);
    EXPECT_EQ(CurDrive, c.drive) << c.path;
    EXPECT_EQ(CurDir, c.dir) << c.path;
    EXPECT_EQ(CurDirNoDrive, c.dirNoDrive) << c.path;
    EXPECT_EQ(CurFileName, c.fileName) << c.path;
    EXPECT_EQ(CurExt, c.ext) << c.path;
    EXPECT_EQ(CurName, c.name) << c.path;
  }
  SplitPath("");
  EXPECT_EQ(CurPath + CurDrive + CurDir + CurDirNoDrive + CurFileName + CurExt + CurName, "");

  // The folder without drive is limited to 80 bytes.
  SplitPath("C:\\" + std::string(100, 'd') + "\\x.kdr");
  EXPECT_EQ(CurDirNoDrive.size(), 80u);
}

TEST_F(PathsTest, SplitPathMakesExistingFilesAbsoluteAndExpandsTheRoot) {
  Make("sub\\W1.KDR");
  ASSERT_TRUE(fs::SetCurrentFolder(temp.path()));
  SplitPath("sub\\..\\sub\\W1.KDR");
  EXPECT_EQ(CurPath, temp.path() + "sub\\W1.KDR");
  SplitPath("sub\\missing.KDR");
  EXPECT_EQ(CurPath, "sub\\missing.KDR");  // left as given

  InstallAtTemp();
  SplitPath("C:...sub\\W1.KDR");
  EXPECT_EQ(CurPath, temp.path() + "sub\\W1.KDR");
}

TEST_F(PathsTest, AbbreviatedPathsExpandToTheSamePath) {
  InstallAtTemp();
  const std::string path = temp.path() + "CAL\\W1\\W1.KDR";
  std::string stored = AbbrevPath(path);
  EXPECT_EQ(stored, "C:...CAL\\･･･\\W1.KDR");
  EXPECT_EQ(ExpandPath(stored), path);
  EXPECT_EQ(CurName, "W1");

  // Only a folder named exactly like the file is abbreviated; the name
  // keeps all its parts and its extension is written upper case.
  EXPECT_EQ(AbbrevName("C:\\W1X\\W1\\W1.kdr"), "C:\\W1X\\･･･\\W1.KDR");
  EXPECT_EQ(AbbrevName("C:\\a\\a.b.kdr"), "C:\\･･･\\a.b.KDR");
  EXPECT_EQ(ExpandPath("C:\\･･･\\a.b.KDR"), "C:\\a\\a.b.KDR");
  // Paths without drive or extension are left alone.
  EXPECT_EQ(AbbrevName("W1\\W1"), "W1\\W1");
  EXPECT_EQ(AbbrevRoot("C:\\other\\x.kdr"), "C:\\other\\x.kdr");
}

TEST_F(PathsTest, TrailingBackslashes) {
  EXPECT_EQ(AddBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(AddBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(DropBackslash("C:\\表\\"), "C:\\表");  // 0x95 0x5C in CP932 is one character
  EXPECT_EQ(DropBackslash("C:\\表"), "C:\\表");
}

TEST_F(PathsTest, CheckFileReportsInTheChosenMode) {
  const std::string file = Make("here.dat");
  EXPECT_TRUE(CheckFile(file, 1));
  EXPECT_TRUE(CheckFile("rfAnything", 2));  // accepted without looking
  EXPECT_FALSE(CheckFile("", 2));
  EXPECT_FALSE(CheckFile("C:\\なし", 2));
  EXPECT_FALSE(CheckFile(temp.path(), 0));  // a folder is not a file
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_TRUE(face.statusHistory.empty());

  const std::string missing = temp.path() + "gone.DAT";
  EXPECT_FALSE(CheckFile(missing, 1));
  EXPECT_NE(face.AllStatusText().find("※<" + missing + ">が見つかりません。(ﾌｧｲﾙﾁｪｯｸ)"), std::string::npos);
  EXPECT_FALSE(CheckFile(missing, 2));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "<" + missing + ">\r\rファイルがみつかりません。");
  EXPECT_EQ(face.boxes[0].kind, 1);
}

TEST_F(PathsTest, CheckDirNeedsAPresentDriveAndMovesIntoTheFolder) {
  fs::MakeFolders(temp.path() + "sub");
  EXPECT_TRUE(CheckDir(temp.path() + "sub\\", true));
  EXPECT_EQ(fs::CurrentFolder(), temp.path() + "sub\\");
  EXPECT_TRUE(CheckDir("rf", true));
  EXPECT_TRUE(face.statusHistory.empty());

  EXPECT_FALSE(CheckDir(temp.path() + "none\\", false));
  EXPECT_TRUE(face.statusHistory.empty());
  EXPECT_FALSE(CheckDir("D:" + temp.path().substr(2) + "sub\\", false));  // only drive C: exists
  InstallAtTemp();
  EXPECT_FALSE(CheckDir(temp.path() + "none\\", true));
  EXPECT_NE(face.AllStatusText().find("<C:...none\\>パスが見つかりません。(DIRﾁｪｯｸ)"), std::string::npos);
}

TEST_F(PathsTest, EnsureFolderAsksOnlyForMissingFolders) {
  const std::string folder = temp.path() + "a\\b\\c\\";
  face.answers.push_back(MsgButton::No);
  EXPECT_FALSE(EnsureFolder(folder, true));
  EXPECT_TRUE(MsgCancel);
  EXPECT_FALSE(fs::IsDir(folder));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "新しくフォルダー<" + folder + ">を作成しますか？");

  EXPECT_TRUE(EnsureFolder(folder, true));  // answered Yes by default
  EXPECT_FALSE(MsgCancel);
  EXPECT_TRUE(fs::IsDir(folder));
  face.Clear();
  EXPECT_TRUE(EnsureFolder(folder, true));
  EXPECT_TRUE(face.boxes.empty());

  EXPECT_FALSE(EnsureFolder("", false));
  EXPECT_FALSE(EnsureFolder("Q:\\nowhere\\", true));
  ASSERT_FALSE(face.boxes.empty());
  EXPECT_EQ(face.boxes.back().text, "新しいフォルダー＜Q:\\nowhere\\＞を作成できませんでした。");
  EXPECT_TRUE(MsgCancel);
}

TEST_F(PathsTest, AttributeClassesAndOpenSize) {
  const std::string plain = Make("plain.dat", "0123456789");
  const std::string hidden = Make(".hidden.dat");
  const std::string ro = Make("ro.dat", "abc");
  ASSERT_EQ(::chmod(fs::ToNative(ro).c_str(), 0444), 0);
  fs::MakeFolders(temp.path() + "dir.d");
  EXPECT_EQ(AttrClass(""), "NoFile");
  EXPECT_EQ(AttrClass("C:\\x\\noext"), "Directory");
  EXPECT_EQ(AttrClass(temp.path() + "dir.d"), "Directory");
  EXPECT_EQ(AttrClass(temp.path() + "missing.dat"), "NoFile");
  EXPECT_EQ(AttrClass(hidden), "Hidden");
  EXPECT_EQ(AttrClass(plain), "Archive");
  if (::geteuid() != 0) {  // root may write anything
    EXPECT_EQ(AttrClass(ro), "ReadOnly");
  }

  EXPECT_EQ(OpenSize(plain, true), 10);
  EXPECT_EQ(OpenSize(hidden, true), 0);
  EXPECT_EQ(OpenSize(temp.path() + "missing.dat", true), 0);
  EXPECT_EQ(OpenSize(ro, false), 3);
  if (::geteuid() != 0) {
    EXPECT_EQ(OpenSize(ro, true), 3);
    EXPECT_NE(face.AllStatusText().find("このファイルは編集できません。"), std::string::npos);
  }
}

TEST_F(PathsTest, DatesFiltersAndDrives) {
  const std::string file = Make("dated.kdr");
  std::tm tm{};
  tm.tm_year = 2024 - 1900;
  tm.tm_mon = 4;
  tm.tm_mday = 7;
  tm.tm_hour = 8;
  tm.tm_min = 9;
  tm.tm_sec = 10;
  tm.tm_isdst = -1;
  struct utimbuf times{std::mktime(&tm), std::mktime(&tm)};
  ASSERT_EQ(::utime(fs::ToNative(file).c_str(), &times), 0);
  EXPECT_EQ(FileDateText(file), "2024/05/07 08:09:10");
  EXPECT_EQ(FileDateText(temp.path() + "none.kdr"), "");

  EXPECT_EQ(FilterText("C:\\a\\w.kdr"), "現在の拡張子(*.KDR)|*.KDR|");
  EXPECT_EQ(FilterText("C:\\a\\w"), "全てのファイル(*.*)|*.*|");

  EXPECT_EQ(FindDriveOfType(26, fs::DriveKind::Fixed), "C:");
  EXPECT_EQ(FindDriveOfType(2, fs::DriveKind::Fixed), "");
  EXPECT_EQ(FindDriveOfType(26, fs::DriveKind::CdRom), "");
  EXPECT_EQ(FindDriveOfType(26, fs::DriveKind::Removable), "");
}

TEST_F(PathsTest, ListFilesTakesPlainFilesMatchingThePattern) {
  for (const char* name : {"b.kdr", "A.KDR", "c.txt", "noext", ".hidden.kdr", "ab.kdr"}) Make(name);
  fs::MakeFolders(temp.path() + "dir.kdr");
  ListFiles(temp.path(), "*.any", ".KDR");  // the name pattern is cut at its "."
  ASSERT_EQ(NameCount, 3);
  EXPECT_EQ(NameList[1], "A.KDR");
  EXPECT_EQ(NameList[2], "ab.kdr");
  EXPECT_EQ(NameList[3], "b.kdr");
  EXPECT_EQ(NameMaxLen, 40);

  ListFiles(temp.path(), "a?", ".kdr");
  ASSERT_EQ(NameCount, 1);
  EXPECT_EQ(NameList[1], "ab.kdr");

  ListFiles(temp.path() + "missing", "*", ".kdr");
  EXPECT_EQ(NameCount, 0);
}

TEST_F(PathsTest, ListFilesStopsAt999Names) {
  DatDir = temp.path() + "DAT\\";
  fs::MakeFolders(DatDir);
  test::WriteCp932(DatDir + "エラー文.DAT", "521 ファイルが多すぎます。\r\n522 999個までを表示します。\r\n");
  const std::string folder = temp.path() + "many\\";
  fs::MakeFolders(folder);
  for (int i = 0; i < 999; ++i) test::WriteBytes(folder + "F" + std::to_string(1000 + i) + ".KDR", "");

  ListFiles(folder, "*", ".KDR");
  EXPECT_EQ(NameCount, 999);
  EXPECT_EQ(face.AllStatusText().find("ERRno=521"), std::string::npos);  // exactly 999 is no fault

  test::WriteBytes(folder + "F9999.KDR", "");
  ListFiles(folder, "*", ".KDR");
  EXPECT_EQ(NameCount, 999);
  EXPECT_EQ(NameList[1], "F1000.KDR");
  std::string status = face.AllStatusText();
  EXPECT_NE(status.find("ファイルが多すぎます。 （ERRno=521）"), std::string::npos);
  EXPECT_NE(status.find("999個までを表示します。 （ERRno=522）"), std::string::npos);
}

TEST_F(PathsTest, SortNamesIsStableAndReversible) {
  std::array<std::string, 7> names{"", "b", "B", "a", "b", "Ab", "a"};
  std::array<int32_t, 7> order{};
  SortNames("U", 6, names, order);
  EXPECT_EQ(names, (std::array<std::string, 7>{"", "a", "a", "Ab", "b", "B", "b"}));
  EXPECT_EQ(order, (std::array<int32_t, 7>{0, 3, 6, 5, 1, 2, 4}));

  std::array<std::string, 4> same{"", "x", "x", "x"};
  std::array<int32_t, 4> sameOrder{};
  SortNames("U", 3, same, sameOrder);
  EXPECT_EQ(sameOrder, (std::array<int32_t, 4>{0, 1, 2, 3}));
  SortNames("D", 3, same, sameOrder);
  EXPECT_EQ(sameOrder, (std::array<int32_t, 4>{0, 3, 2, 1}));

  // Two-byte names sort in CP932 order: full-width digits before kana before kanji.
  std::array<std::string, 4> jp{"", "壁", "か", "１"};
  std::array<int32_t, 4> jpOrder{};
  SortNames("U", 3, jp, jpOrder);
  EXPECT_EQ(jp, (std::array<std::string, 4>{"", "１", "か", "壁"}));

  std::array<std::string, 3> tooShort{"", "b", "a"};
  std::array<int32_t, 3> shortOrder{};
  SortNames("U", 5, tooShort, shortOrder);  // count beyond the arrays: nothing happens
  EXPECT_EQ(tooShort[1], "b");
}

TEST_F(PathsTest, FileSplitAllGivesUpToEightFolders) {
  FileParts p = FileSplit_All("C:\\a\\b\\x.kdr");
  EXPECT_EQ(p.drive, "C:");
  EXPECT_EQ(p.count, 2);
  EXPECT_EQ(p.folders[1], "a");
  EXPECT_EQ(p.folders[2], "b");
  EXPECT_EQ(p.name, "x");
  EXPECT_EQ(p.ext, ".KDR");

  std::string eight = "C:\\1\\2\\3\\4\\5\\6\\7\\8\\x.kdr";
  EXPECT_EQ(FileSplit_All(eight).count, 8);
  EXPECT_TRUE(face.boxes.empty());

  std::string nine = "C:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\x.kdr";
  p = FileSplit_All(nine);
  EXPECT_EQ(p.count, 8);
  EXPECT_EQ(p.folders[8], "8");
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "ファイル名＜" + nine + "＞のディレクトリが８階層以上あります。（FileSplit_All）");

  EXPECT_EQ(FileSplit_All("").count, 0);
  EXPECT_EQ(FileSplit_All("C:\\a\\b").name, "b*");  // no "." : "*." is added
}

TEST_F(PathsTest, ValidateFileNameTestsCharactersThenStructure) {
  struct Case {
    std::string path;
    bool valid;
    std::string message;  // after "ファイル名 ： " + path + CR CR
  } cases[] = {
      {"", true, ""},
      {"wall1", true, ""},  // tested as C:\wall1$.$
      {"C:\\calc\\W1.KDR", true, ""},
      {"C:\\表\\ソ.KDR", true, ""},  // second bytes 0x5C are part of the characters
      {"C:\\ca|lc\\W1.KDR", false, "ディレクトリ名の中に不正な文字<*?\\\"<>|;/:.>が含まれています。"},
      {"C:\\calc\\W*1.KDR", false, "名前部分の中に不正な文字<*?\\\"<>|;/:.>が含まれています。"},
      {"C:\\calc\\W1.K?R", false, "拡張子名の中に不正な文字<*?\\\"<>|;/:>が含まれています。"},
      {"C:\\my.dir\\W1.KDR", false, "ディレクトリ名の中に不正な文字<*?\\\"<>|;/:.>が含まれています。"},
      {"C:\\calc\\a.b.kdr", false, "ファイル名が正しくありません。"},
      {"C:\\calc\\\\W1.KDR", false, "ファイル名が正しくありません。"},
      {"C:\\calc\\W1:x.KDR", false, "ファイル名が正しくありません。"},  // ":" ends the folder part
  };
  for (const auto& c : cases) {
    face.Clear();
    EXPECT_EQ(ValidateFileName(c.path, true), c.valid) << c.path;
    if (c.valid) {
      EXPECT_TRUE(face.boxes.empty()) << c.path;
    } else {
      ASSERT_EQ(face.boxes.size(), 1u) << c.path;
      EXPECT_EQ(face.boxes[0].text, "ファイル名 ： " + c.path + "\r\r" + c.message);
      EXPECT_EQ(face.boxes[0].kind, 3);
    }
  }
  face.Clear();
  EXPECT_FALSE(ValidateFileName("C:\\x|y.kdr", false));
  EXPECT_TRUE(face.boxes.empty());

  // The installation folder is not typed by the user: a "." in it is fine.
  StartDrive = "C:";
  RootDir = "\\home\\u\\.local\\share\\kondra\\";
  EXPECT_TRUE(ValidateFileName("C:\\home\\u\\.local\\share\\kondra\\CAL\\KDR\\W1.KDR", true));
  EXPECT_TRUE(ValidateFileName("C:...CAL\\KDR\\W1.KDR", true));
}

TEST_F(PathsTest, SaveLocationMustBeTheDesignatedFolder) {
  InstallAtTemp();
  EXPECT_TRUE(CheckSaveLocation(temp.path() + "CAL\\KDR\\W1.KDR", "\\CAL\\KDR\\"));
  EXPECT_TRUE(CheckSaveLocation("C:\\anywhere\\W1.KDR", ""));
  EXPECT_FALSE(CheckSaveLocation("C:\\other\\W1.KDR", "\\CAL\\KDR\\"));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "指定場所 ： C:" + RootDir + "\\CAL\\KDR\\\r\r保存場所 ： C:\\other\\\r\rこの場所には保存できません。（指定以外）");
}

TEST(DriveKinds, PosixHasOnlyTheFixedDriveC) {
  EXPECT_EQ(fs::DriveKindOf('C'), fs::DriveKind::Fixed);
  EXPECT_EQ(fs::DriveKindOf('c'), fs::DriveKind::Fixed);
  EXPECT_EQ(fs::DriveKindOf('D'), fs::DriveKind::NoRoot);
  EXPECT_EQ(fs::DriveKindOf('A'), fs::DriveKind::NoRoot);
}

}  // namespace
}  // namespace kondra
