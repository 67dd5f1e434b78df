#include "DataGen.h"

#include <algorithm>
#include <sstream>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class DataGenTest : public test::KondraTest {
 protected:
  // Writes a UTF-8 source below temp/src/.
  void Source(const std::string& rel, const std::string& text) {
    std::string path = temp.path() + "src\\" + rel;
    std::replace(path.begin(), path.end(), '/', '\\');
    ASSERT_TRUE(fs::MakeFolders(path.substr(0, path.rfind('\\'))));
    test::WriteBytes(path, text);
  }
  int Run(std::string* log = nullptr) {
    datagen::Options options;
    options.outputRoot = temp.native() + "/out";
    options.sourceRoots = {temp.native() + "/src"};
    options.manifest = temp.native() + "/manifest";
    std::ostringstream out;
    int status = datagen::Run(options, out);
    if (log) *log = out.str();
    return status;
  }
  std::string Out(const std::string& rel) { return test::ReadBytes(temp.path() + "out\\" + rel); }
};

TEST_F(DataGenTest, FaultySourcesFailNamingFileAndLineAndWriteNothing) {
  struct Case {
    const char* name;
    const char* text;
    const char* where;  // "file:line"
    const char* says;
  } cases[] = {
      {"wide.DAT.tsv", "# c\n#widths\t4\t2\nabcd\tOK\nabcde\tOK\n", "wide.DAT.tsv:4:", "is 5 bytes wide"},
      {"kanji.DAT.tsv", "#widths\t5\n日本語\n", "kanji.DAT.tsv:2:", "is 6 bytes wide"},
      {"emoji.DAT.tsv", "#widths\t8\nok\n\xF0\x9F\x98\x80\n", "emoji.DAT.tsv:3:", "Shift-JIS"},
      {"many.DAT.tsv", "#widths\t4\na\tb\n", "many.DAT.tsv:2:", "2 values for 1 columns"},
      {"nowidths.DAT.tsv", "# c\nrow\n", "nowidths.DAT.tsv:2:", "#widths"},
      {"blank.DAT.tsv", "#widths\t9\n value\n", "blank.DAT.tsv:2:", "starts or ends with a blank"},
      {"hash.DAT.tsv", "#widths\t9\n#width\t3\n", "hash.DAT.tsv:2:", "neither"},
      {"long.sayings", "短い\nあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりる\n",
       "long.sayings:2:", "82 bytes wide in Shift-JIS; a saying holds 80"},
      {"empty.sayings", "one\n\ntwo\n", "empty.sayings:2:", "empty saying"},
      {"text.txt", "ok\n\xED\x95\x9C\n", "text.txt:2:", "Shift-JIS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string log;
    Source("DATA/good.DAT.tsv", "#widths\t4\nok\n");
    Source(std::string("DATA/") + c.name, c.text);
    EXPECT_EQ(Run(&log), 1);
    EXPECT_NE(log.find(std::string("DATA/") + c.where), std::string::npos) << log;
    EXPECT_NE(log.find(c.says), std::string::npos) << log;
    EXPECT_FALSE(fs::Exists(temp.path() + "out\\DATA\\good.DAT")) << "a faulty run writes nothing";
    fs::RemoveFile(temp.path() + "src\\DATA\\" + c.name);
  }
}

TEST_F(DataGenTest, GoldenConversionOfEverySourceKind) {
  // Comments anywhere, an empty line as a row of empty cells, missing
  // trailing values, widths in Shift-JIS bytes (日本 is 93 FA 96 7B).
  Source("DATA/DAT/t.DAT.tsv", "# heading\n#widths\t6\t4\n日本\tAB\n\n# between\nx\n");
  Source("DATA/COLOR/p.COL.txt", "  1 = 赤\nend");
  Source("DATA/DAT/s.DAT.sayings", "露\n");
  Source("WCD/BIN.DAT", std::string("\x00\x01\xFF", 3));
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Out("DATA\\DAT\\t.DAT"),
            "     3     2\r\n"
            "     6     4\r\n"
            "  \x93\xFA\x96\x7B  AB\r\n"
            "          \r\n"
            "     x    \r\n");
  EXPECT_EQ(Out("DATA\\COLOR\\p.COL"), "  1 = \x90\xD4\r\nend\r\n");
  EXPECT_EQ(Out("DATA\\DAT\\s.DAT"), std::string("\x02\x98\x49") + std::string(78, ' '));
  EXPECT_EQ(Out("WCD\\BIN.DAT"), std::string("\x00\x01\xFF", 3));
}

TEST_F(DataGenTest, AFileTheProgramRewroteStaysUntilItsSourceChanges) {
  Source("DATA/e.WIN.tsv", "#widths\t8\nfactory\n");
  ASSERT_EQ(Run(), 0);
  const std::string target = temp.path() + "out\\DATA\\e.WIN";
  test::WriteBytes(target, "as the program left it");
  Source("DATA/other.DAT.tsv", "#widths\t3\nnew\n");  // another source changes: the run happens again
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(test::ReadBytes(target), "as the program left it");

  Source("DATA/e.WIN.tsv", "#widths\t8\nchanged\n");
  ASSERT_EQ(Run(), 0);
  EXPECT_NE(test::ReadBytes(target).find("changed"), std::string::npos);

  fs::RemoveFile(target);
  ASSERT_EQ(Run(), 0);
  EXPECT_TRUE(fs::IsFile(target)) << "a missing file is laid again";
}

TEST_F(DataGenTest, TwoSourcesForOneFileAreRefused) {
  Source("DATA/a.DAT.tsv", "#widths\t3\nabc\n");
  Source("DATA/A.DAT", "copied");
  std::string log;
  EXPECT_EQ(Run(&log), 1);
  EXPECT_NE(log.find("makes DATA/a.DAT"), std::string::npos) << log;
}

// The tree this build laid into its bin folder.
TEST_F(DataGenTest, TheFactoryTreeLoads) {
  const std::string root = fs::FromNative(KONDRA_INSTALL_TREE) + "\\";
  struct Table {
    const char* path;
    int rows, cols;
    const char* first;
  } tables[] = {
      {"DATA\\利用環境.WIN", 21, 1, "(C) Kondra Project  標準インストール"},
      {"DATA\\利用環境.ORG", 21, 1, "(C) Kondra Project  標準インストール"},
      {"DATA\\DAT\\材料物性.DAT", 250, 12, "【熱伝達率】"},
      {"DATA\\DAT\\部位区分.DAT", 15, 5, "外壁"},
      {"DATA\\DAT\\国名.DAT", 1, 3, "日本"},
      {"DATA\\DAT\\単位系.DAT", 2, 1, "工学単位"},
      {"DATA\\DAT\\単位系SIW.DAT", 35, 2, nullptr},
      {"DATA\\DAT\\単位系.EXP", 17, 1, "【入力・表示単位系の説明】"},
      {"DATA\\DAT\\印刷用紙.DAT", 18, 1, "A4 (210x297mm) 縦"},
      {"WCD\\JPN_STAT.DAT", 47, 7, nullptr},
  };
  for (const auto& t : tables) {
    SCOPED_TRACE(t.path);
    ASSERT_TRUE(DataLoad(root + t.path));
    EXPECT_EQ(DT_RowCount, t.rows);
    EXPECT_EQ(DT_ColCount, t.cols);
    if (t.first) {
      EXPECT_EQ(DT_Name[1], t.first);
    }
  }
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_TRUE(face.AllStatusText().empty()) << face.AllStatusText();

  EXPECT_EQ(test::ReadBytes(root + "DATA\\DAT\\都々逸.DAT").size(), 37u * 81u);
  const std::string palette = test::ReadCp932(root + "DATA\\COLOR\\KONDRA.COL");
  EXPECT_EQ(std::count(palette.begin(), palette.end(), '\n'), 256);
  EXPECT_EQ(std::count(palette.begin(), palette.end(), '\r'), 256);
  const std::string errors = "\n" + test::ReadCp932(root + "DATA\\DAT\\エラー文.DAT");
  for (const char* number : {"500 ", "511 ", "521 ", "522 ", "700 "})
    EXPECT_NE(errors.find(std::string("\n") + number), std::string::npos) << number;
  const auto monthly = fs::FileSize(root + "WCD\\JPN_MONT.DAT");
  ASSERT_TRUE(monthly);
  EXPECT_GT(*monthly, 0);
  EXPECT_EQ(*monthly % 1947, 0);
  for (const char* folder : {"DATA\\PICT", "DATA\\HELP", "CAL\\KDR"}) EXPECT_TRUE(fs::IsDir(root + folder)) << folder;
}

}  // namespace
}  // namespace kondra
