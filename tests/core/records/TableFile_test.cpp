#include "records/TableFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/RecordStore.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

std::string Fixture(const std::string& name) {
  return fs::FromNative(std::string(KONDRA_FIXTURES) + "/records/" + name);
}

class TableFileTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    DatDir = temp.path() + "DAT\\";
    fs::MakeFolders(DatDir);
    test::WriteCp932(DatDir + "エラー文.DAT",
                     "511 読み取り専用のファイルです。\r\n521 行数が多すぎます。\r\n522 999行まで読込みます。\r\n");
  }
  void TearDown() override {
    DatDir.clear();
    KondraTest::TearDown();
  }
  // A table of `rows` rows and the given widths, every cell "r<i>c<j>".
  void MakeTable(int rows, std::vector<int> widths) {
    DT_RowCount = rows;
    DT_ColCount = static_cast<int32_t>(widths.size());
    for (std::size_t j = 1; j <= widths.size(); ++j) DT_ColWidth[j] = widths[j - 1];
    for (std::size_t i = 1; i <= static_cast<std::size_t>(rows); ++i) {
      DT_Name[i] = "r" + std::to_string(i);
      for (std::size_t j = 2; j <= widths.size(); ++j) DT_Cell[i][j] = "r" + std::to_string(i) + "c" + std::to_string(j);
    }
  }
  std::string Status() const { return face.AllStatusText(); }
};

TEST_F(TableFileTest, WritesTheEnvironmentFileShape) {
  MakeTable(21, {40});
  DT_Name[1] = "利用者　太郎";
  for (std::size_t i = 2; i <= 21; ++i) DT_Name[i] = (i < 10 ? "ROW0" : "ROW") + std::to_string(i);
  const std::string path = temp.path() + "利用環境.WIN";
  ASSERT_TRUE(DataSave(path));
  const std::string bytes = test::ReadBytes(path);
  EXPECT_EQ(bytes, test::ReadBytes(Fixture("env21.WIN")));
  EXPECT_EQ(bytes.find("\r\n"), 12u);            // 21 and 1, each in 6 bytes
  EXPECT_EQ(bytes.find("\r\n", 14), 14u + 6u);  // 40 in 6 bytes
  EXPECT_EQ(bytes.size(), 12 + 2 + 6 + 2 + 21 * 42u);
  EXPECT_TRUE(face.statusHistory.empty());
}

TEST_F(TableFileTest, LoadsCellsTrimmedAndMissingRowsEmpty) {
  DT_Cell[2][4] = "left over";
  ASSERT_TRUE(DataLoad(Fixture("materials.DAT")));
  EXPECT_TRUE(DT_Loaded);
  EXPECT_EQ(DT_RowCount, 4);
  EXPECT_EQ(DT_ColCount, 4);
  EXPECT_EQ(DT_ColWidth[1], 20);
  EXPECT_EQ(DT_ColStart[2], 20);
  EXPECT_EQ(DT_ColStart[4], 36);
  EXPECT_EQ(DT_ColStart[5], 42);
  EXPECT_EQ(DT_Name[1], "押出発泡ポリスチレン");  // twenty bytes fill the column
  EXPECT_EQ(DT_Cell[1][1], DT_Name[1]);
  EXPECT_EQ(DT_Cell[1][2], "0.028");
  EXPECT_EQ(DT_Cell[2][3], "0.5");  // blanks around the value are dropped
  EXPECT_EQ(DT_Cell[2][4], "2");
  EXPECT_EQ(DT_Name[3], "ｺﾝｸﾘｰﾄ");  // half-width katakana take one byte each
  EXPECT_EQ(DT_Cell[3][3], "");
  EXPECT_EQ(DT_Cell[3][4], "30");
  EXPECT_EQ(DT_Name[4], "");  // declared but not in the file
  EXPECT_EQ(DT_Cell[4][2], "");
  EXPECT_EQ(DT_Cell[0][2], "");
  EXPECT_EQ(NameCount, 4);
  EXPECT_EQ(NameList[2], "合板");
  EXPECT_EQ(NameOrder[3], 3);
  EXPECT_EQ(NameMaxLen, 20);
}

TEST_F(TableFileTest, FilesThatAreNotTablesLeaveTheTableEmpty) {
  struct Case {
    std::string name;
    std::string bytes;
    std::string detail;  // after the DataLoad message
  } cases[] = {
      {"cols17.DAT", "     1    17\r\n" + std::string(17 * 6, ' ') + "\r\nx\r\n", ""},
      {"rows0.DAT", "     0     1\r\n     4\r\n", ""},
      {"rowsneg.DAT", "    -3     1\r\n     4\r\n", ""},
      {"cols0.DAT", "     3     0\r\n\r\n", ""},
      {"words.DAT", "  many     1\r\n     4\r\nabcd\r\n", ""},
      {"oneint.DAT", "     5\r\n", ""},
      {"empty.DAT", "", ""},
      {"negwidth.DAT", "     1     1\r\n    -4\r\nabcd\r\n", ""},
      {"widewidth.DAT", "     1     1\r\n  4097\r\nabcd\r\n", ""},
      {"binary.DAT", std::string("     1     1\r\n     4\r\n\x00\x01" "ab", 26),
       " 3行目に文字でないバイト(0x00)があります。テキストファイルではありません"},
      {"notsjis.DAT", "     1     1\r\n     4\r\n\x81\r\n", " 3行目にShift-JISとして読めない文字があります"},
  };
  for (const auto& c : cases) {
    face.Clear();
    ASSERT_TRUE(DataLoad(Fixture("materials.DAT")));
    const std::string path = temp.path() + c.name;
    test::WriteBytes(path, c.bytes);
    EXPECT_FALSE(DataLoad(path)) << c.name;
    EXPECT_EQ(DT_RowCount, 0) << c.name;
    EXPECT_EQ(DT_ColCount, 0) << c.name;
    EXPECT_EQ(NameCount, 0) << c.name;
    EXPECT_FALSE(DT_Loaded) << c.name;
    EXPECT_NE(Status().find("※あれっ？〔" + c.name + "〕ファイルが読めないぞ。(DataLoad)" + c.detail + "\n"),
              std::string::npos)
        << c.name << ": " << Status();
  }
}

TEST_F(TableFileTest, CountsMaySpanLines) {
  const std::string path = temp.path() + "split.DAT";
  test::WriteBytes(path, "\r\n   2\r\n   1   extra\r\n     3\r\nabc\r\n  d\r\n");
  ASSERT_TRUE(DataLoad(path));
  EXPECT_EQ(DT_RowCount, 2);
  EXPECT_EQ(DT_ColWidth[1], 3);
  EXPECT_EQ(DT_Name[1], "abc");
  EXPECT_EQ(DT_Name[2], "d");
}

TEST_F(TableFileTest, MoreThan999RowsLoads999) {
  std::string bytes = "  1000     2\r\n     4     3\r\n";
  for (int i = 1; i <= 1000; ++i) bytes += PadLeft(std::to_string(i), 4) + "  x\r\n";
  const std::string path = temp.path() + "big.DAT";
  test::WriteBytes(path, bytes);
  ASSERT_TRUE(DataLoad(path));
  EXPECT_EQ(DT_RowCount, 999);
  EXPECT_EQ(NameCount, 999);
  EXPECT_EQ(DT_Name[999], "999");
  EXPECT_EQ(DT_Cell[999][2], "x");
  EXPECT_NE(Status().find("行数が多すぎます。 （ERRno=521）"), std::string::npos);
  EXPECT_NE(Status().find("999行まで読込みます。 （ERRno=522）"), std::string::npos);
}

TEST_F(TableFileTest, MissingFilesAreReported) {
  const std::string missing = temp.path() + "none.DAT";
  EXPECT_FALSE(DataLoad(missing));
  EXPECT_NE(Status().find("<" + missing + ">が見つかりません。(ﾌｧｲﾙﾁｪｯｸ)"), std::string::npos);
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_EQ(DT_RowCount, 0);

  const std::string env = temp.path() + "利用環境.WIN";
  EXPECT_FALSE(DataLoad(env));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "ファイル名 ： " + env + "\r\r〔利用環境.WIN〕ファイルが見つからないので実行できません。");
  EXPECT_EQ(face.boxes[0].kind, 3);
}

TEST_F(TableFileTest, LongCellsAreCutSoRowsNeverShift) {
  MakeTable(2, {6, 4, 3});
  DT_Name[1] = "断熱材料";     // 8 bytes into 6
  DT_Cell[1][2] = "12345";      // 5 into 4
  DT_Cell[2][2] = "a断熱";      // 5 into 4: the character that would cross is left out
  DT_Cell[2][3] = "x\ty";       // control characters become blanks
  const std::string path = temp.path() + "cut.DAT";
  ASSERT_TRUE(DataSave(path));
  EXPECT_EQ(test::ReadCp932(path), "     2     3\r\n     6     4     3\r\n断熱材1234r1c\r\n    r2 a断x y\r\n");
  EXPECT_EQ(DT_Name[1], "断熱材");  // the table keeps what was written
  EXPECT_NE(Status().find("※〔cut.DAT〕1行1列〔断熱材料〕ほか3件が欄の幅を超えたので切り詰めました。(DataSave)"),
            std::string::npos)
      << Status();

  ASSERT_TRUE(DataLoad(path));
  EXPECT_EQ(DT_Cell[1][3], "r1c");
  EXPECT_EQ(DT_Cell[2][2], "a断");
  EXPECT_EQ(DT_Cell[2][3], "x y");
}

TEST_F(TableFileTest, SavesThatCannotBeDoneLeaveTheFileAsItWas) {
  const std::string path = temp.path() + "keep.DAT";
  test::WriteBytes(path, "old");

  MakeTable(1, {4, 4});
  DT_Cell[1][2] = "😀";
  EXPECT_FALSE(DataSave(path));
  EXPECT_NE(Status().find("あれっ？〔keep.DAT〕ファイルに書き込めないぞ。(DataSave) （1行目の「😀」はShift-JISで保存できない文字です）"),
            std::string::npos)
      << Status();
  EXPECT_EQ(test::ReadBytes(path), "old");

  MakeTable(1, {4, 4});
  DT_ColCount = 17;
  EXPECT_FALSE(DataSave(path));
  DT_ColCount = 2;
  DT_ColWidth[2] = -1;
  EXPECT_FALSE(DataSave(path));
  EXPECT_EQ(test::ReadBytes(path), "old");

  MakeTable(1, {4, 4});
  face.Clear();
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::Rename ? EIO : 0; });
  EXPECT_FALSE(DataSave(path));
  fs::SetFaultHook(nullptr);
  EXPECT_NE(Status().find("あれっ？〔keep.DAT〕ファイルに書き込めないぞ。(DataSave) 入出力エラーが発生しました"),
            std::string::npos);
  EXPECT_EQ(test::ReadBytes(path), "old");

  face.Clear();
  EXPECT_FALSE(DataSave(temp.path() + "nofolder\\x.DAT"));
  EXPECT_NE(Status().find("〔x.DAT〕ファイルに書き込めないぞ。(DataSave)"), std::string::npos);

  // Only a plain file is written over.
  const std::string hidden = temp.path() + ".hidden.DAT";
  test::WriteBytes(hidden, "old");
  face.Clear();
  EXPECT_FALSE(DataSave(hidden));
  EXPECT_NE(Status().find("読み取り専用のファイルです。 （ERRno=511）"), std::string::npos);
  EXPECT_EQ(test::ReadBytes(hidden), "old");
  if (::geteuid() != 0) {  // root may write anything
    ASSERT_EQ(::chmod(fs::ToNative(path).c_str(), 0444), 0);
    EXPECT_FALSE(DataSave(path));
    EXPECT_EQ(test::ReadBytes(path), "old");
  }
}

TEST_F(TableFileTest, DamagedFilesAreToldFromWholeOnesByLine) {
  const std::string head = "     3     2\r\n     4     3\r\n";
  const std::string rows = "  ab  1\r\n  cd  2\r\n  ef  3\r\n";
  struct Case {
    const char* name;
    std::string bytes;
    const char* problem;  // part of the reason, nullptr for a whole file
  } cases[] = {
      {"whole", head + rows, nullptr},
      {"short rows and a final blank line", head + "  ab\r\n\r\n  ef  3\r\n\r\n", nullptr},
      {"no final line end", head + "  ab  1\r\n  cd  2\r\n  ef  3", nullptr},
      {"long value of a one-column file", "     1     1\r\n    40\r\n" + std::string(60, 'x') + "\r\n", nullptr},
      {"empty", "", "空のファイル"},
      {"no line ends", "     3     2     4     3  ab  1  cd  2  ef  3", "改行のないファイル"},
      {"count line with a third number", "     3     2     1\r\n     4     3\r\n" + rows, "1行目"},
      {"no rows declared", "     0     2\r\n     4     3\r\n", "1行目：行数 0"},
      {"17 columns", "     3    17\r\n" + std::string(102, ' ') + "\r\n" + rows, "1行目：列数 17"},
      {"a width of zero", "     3     2\r\n     0     0\r\n" + rows, "2行目：1列目の幅「0」"},
      {"a width missing", "     3     2\r\n     4\r\n" + rows, "2行目：2列目の幅「」"},
      {"count below the rows", "     2     2\r\n     4     3\r\n" + rows, "行数は 2 ですが、3行あります（5行目から先"},
      {"count above the rows", "     5     2\r\n     4     3\r\n" + rows, "行数は 5 ですが、3行しかありません"},
      {"a row too long", head + "  ab  1\r\n" + std::string(2000, 'Z') + "\r\n  ef  3\r\n", "4行目：長すぎます（2000バイト、7バイト"},
      {"not Shift-JIS", head + "  ab  1\r\n  \x81\r\n  ef  3\r\n", "行目"},
  };
  for (const Case& c : cases) {
    const std::string problem = TableFileProblem(c.bytes);
    if (c.problem == nullptr)
      EXPECT_EQ(problem, "") << c.name;
    else
      EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
  }
}

TEST_F(TableFileTest, FindNameTakesTheFirstExactMatch) {
  std::array<std::string, 9> names{"", "a", "", "合板", "b", "A", "c", "合板", "d"};
  EXPECT_EQ(FindName(8, names, "合板"), 3);
  EXPECT_TRUE(SLDT_Found);
  EXPECT_EQ(FindName(8, names, "a"), 1);
  EXPECT_EQ(FindName(8, names, "A"), 5);  // case counts
  EXPECT_EQ(FindName(2, names, "合板"), 0);
  EXPECT_FALSE(SLDT_Found);
  EXPECT_EQ(FindName(8, names, ""), 0);  // empty entries never match
  EXPECT_EQ(FindName(100, names, "d"), 8);  // a count beyond the array stops at its end
}

TEST_F(TableFileTest, ShowTableFileListsTheFirstColumn) {
  ShowTableFile(Fixture("materials.DAT"));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "押出発泡ポリスチレン\r合板\rｺﾝｸﾘｰﾄ\r");
  EXPECT_EQ(face.boxes[0].kind, 1);
  face.Clear();
  ShowTableFile(temp.path() + "none.EXP");
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_TRUE(face.statusHistory.empty());
}

}  // namespace
}  // namespace kondra
