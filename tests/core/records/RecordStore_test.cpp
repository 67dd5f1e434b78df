#include "records/RecordStore.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <functional>
#include <regex>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

const std::string kHeader = "---<<< Kondra.EXE Ver.8.20 Input Data >>>--- 2024/05/01 10:20:30";

// Bytes `from`.. (1-based CP932 columns) of a line.
std::string Cols(const std::string& line, int from, int width = 88) { return SliceMB(line, from - 1, width); }

std::string Fixture(const std::string& name) {
  return fs::FromNative(std::string(KONDRA_FIXTURES) + "/records/" + name);
}

class RecordStoreTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    cwd_ = fs::CurrentFolder();
    for (const std::string& code : ReadableTypeCodes()) Clear_SLDT(code);
    SLDT_Decimals = {};
    SavedCopy = {};
  }
  void TearDown() override {
    fs::SetCurrentFolder(cwd_);
    KondraTest::TearDown();
  }

  // The records of the golden file, written the way the program writes them.
  RecordStore GoldenStore() {
    RecordStore s;
    New_SLDT(kHeader, s);
    Clear_SLDT("NSV5");
    SLDT_NSV5.HeadText[2] = "12";
    SLDT_NSV5.Number = 3;
    SLDT_NSV5.Name = "押出発泡ポリスチレン";  // ten characters fill the 20 bytes exactly
    SLDT_NSV5.Value = {0, 0.025f, 0.028f, 0.05f, 12.5f, 1};
    EXPECT_TRUE(Write_NSV5(s, 2101, "33521"));
    Clear_SLDT("VV8");
    SLDT_VV8.Value[1] = 20;
    SLDT_VV8.Value[2] = 60;
    EXPECT_TRUE(Write_VV8(s, 1102, "10------"));
    Clear_SLDT("NS2");
    SLDT_NS2.Number = {0, 1, 2};
    SLDT_NS2.Name = {"", "室内側", "屋外側"};
    EXPECT_TRUE(Write_NS2(s, 2001));
    Clear_SLDT("SS1");
    SLDT_SS1.Text = "外壁（木造）結露計算テスト";
    EXPECT_TRUE(Write_SS1(s, 1001));
    return s;
  }

  std::string cwd_;
};

TEST_F(RecordStoreTest, WritesTheExampleLine) {
  RecordStore s;
  SLDT_VV8.Value[1] = 20.0f;
  SLDT_VV8.Value[2] = 60;
  ASSERT_TRUE(Write_VV8(s, 1102, "10------"));
  const std::string expected =
      "№1102<VV8>                 20.0      60       0       0       0       0       0       0";
  ASSERT_EQ(s.lines.size(), 1u);
  EXPECT_EQ(s.lines[0], expected);
  EXPECT_EQ(SLDT_Line, expected);
  EXPECT_EQ(MBWidth(expected), 88);
  std::string bytes;
  ASSERT_TRUE(ToCp932(expected, bytes));
  EXPECT_EQ(bytes.substr(0, 2), "\x87\x82");
  EXPECT_EQ(bytes.size(), 88u);
  EXPECT_EQ(SLDT_Decimals[1], 1);
  EXPECT_EQ(SLDT_Decimals[2], 0);
}

TEST_F(RecordStoreTest, SavedStoreIsByteIdenticalToTheGoldenFile) {
  RecordStore s = GoldenStore();
  DataModified = true;
  const std::string path = temp.path() + "out\\golden.KDR";  // the folder is created
  ASSERT_TRUE(Save_SLDT(path, s));
  EXPECT_EQ(test::ReadBytes(path), test::ReadBytes(Fixture("golden.KDR")));
  EXPECT_FALSE(DataModified);
  EXPECT_EQ(StatusFileName, "golden.KDR");
  EXPECT_EQ(SavedCopy, s);
  EXPECT_EQ(Cols(s.lines[1], 1, 11), "№1001<SS1>");  // the sorted order stays
}

TEST_F(RecordStoreTest, LoadingAndSavingPutsRecordsInOrder) {
  RecordStore s;
  DataModified = true;
  ASSERT_TRUE(Load_SLDT(Fixture("shuffled.KDR"), s));
  // CR LF, lone LF and lone CR all end lines; the final line end adds none.
  ASSERT_EQ(s.lines.size(), 5u);
  EXPECT_EQ(s.lines[1], kHeader + std::string(24, ' '));
  EXPECT_FALSE(DataModified);
  EXPECT_EQ(StatusFileName, "shuffled.KDR");
  EXPECT_EQ(SavedCopy, s);

  ASSERT_TRUE(Read_NSV5(s, 2101));
  EXPECT_EQ(SLDT_NSV5.Name, "押出発泡ポリスチレン");
  EXPECT_EQ(SLDT_NSV5.HeadValue[2], 12);
  EXPECT_FLOAT_EQ(SLDT_NSV5.Value[4], 12.5f);
  EXPECT_EQ(SLDT_Decimals[3], 5);

  const std::string path = temp.path() + "W1.KDR";
  ASSERT_TRUE(Save_SLDT(path, s));
  EXPECT_EQ(test::ReadBytes(path), test::ReadBytes(Fixture("golden.KDR")));
}

TEST_F(RecordStoreTest, MissingRecordsReadAsBlanks) {
  RecordStore s = GoldenStore();
  const RecordStore before = s;
  SLDT_VV8.Value[3] = 7;
  SLDT_VV8.HeadText[1] = "x";
  SLDT_Decimals[2] = 4;
  EXPECT_FALSE(Read_VV8(s, 1999));
  EXPECT_FALSE(SLDT_Found);
  EXPECT_EQ(SLDT_Line, std::string(88, ' '));
  EXPECT_EQ(SLDT_VV8.Label, "");
  EXPECT_EQ(SLDT_VV8.HeadText[1], "");
  EXPECT_EQ(SLDT_VV8.Value[3], 0.0f);
  EXPECT_EQ(SLDT_Decimals[2], 0);
  EXPECT_EQ(s, before);

  // Same label, other type: also missing.
  EXPECT_FALSE(Read_SS1(s, 1102));
  EXPECT_EQ(SLDT_SS1.Text, "");
}

TEST_F(RecordStoreTest, FindByLabelLineIndexAndKey) {
  RecordStore s;
  for (int i = 0; i < 10; ++i) s.lines.push_back("line " + std::to_string(i));
  EXPECT_EQ(Find_SLDT(s, 5, "<VV8>"), 5);
  EXPECT_TRUE(SLDT_Found);
  EXPECT_EQ(Find_SLDT(s, 12, "<VV8>"), 0);
  EXPECT_FALSE(SLDT_Found);

  s.lines[3] = "xx№2101<NSV5> first";
  s.lines[6] = "№2101<NSV5> second";
  EXPECT_EQ(Find_SLDT(s, 2101, "NSV5"), 3);  // anywhere in the line; the first wins
  EXPECT_EQ(Find_SLDT(s, 0, "<NSV5>"), 3);    // label 0: the last label again
  EXPECT_EQ(FindLine_SLDT(s, ""), 3);         // empty key: last label and type
  EXPECT_TRUE(Exists_SLDT(s, "№2101"));
  EXPECT_FALSE(Exists_SLDT(s, "№2102"));
  EXPECT_EQ(Find_SLDT(s, 2101, "<NSV>"), 0);
  EXPECT_FALSE(SLDT_Found);

  // Labels of 10000 and more are six digits without the numero sign.
  s.lines.push_back("012345<SS1> big");
  EXPECT_EQ(Find_SLDT(s, 12345, "SS1"), 10);
  EXPECT_EQ(LabelText(12345), "012345");
  EXPECT_EQ(LabelText(1000), "№1000");
}

TEST_F(RecordStoreTest, DeleteRemovesEveryRecordOfALabel) {
  RecordStore s = GoldenStore();
  SLDT_SS1.Text = "name";
  ASSERT_TRUE(Write_SS1(s, 2101));
  ASSERT_EQ(s.lines.size(), 6u);
  EXPECT_EQ(Delete_SLDT(s, "  "), 0);
  EXPECT_EQ(Delete_SLDT(s, ""), 0);
  EXPECT_EQ(s.lines.size(), 6u);
  EXPECT_EQ(Delete_SLDT(s, LabelText(2101)), 2);
  EXPECT_FALSE(Exists_SLDT(s, "№2101"));
  ASSERT_EQ(s.lines.size(), 4u);
  EXPECT_EQ(s.lines[0].substr(0, 6), "---<<<");  // the rest keep their order
  EXPECT_EQ(Cols(s.lines[1], 1, 11), "№1102<VV8>");
}

TEST_F(RecordStoreTest, WritesAppendOrReplaceAndKeepTheHeadFields) {
  RecordStore s = GoldenStore();
  ASSERT_TRUE(Read_NSV5(s, 2101));
  SLDT_NSV5.Value[1] = 0.1f;
  ASSERT_TRUE(Write_NSV5(s, 2101, "3"));
  ASSERT_EQ(s.lines.size(), 5u);
  EXPECT_EQ(Find_SLDT(s, 2101, "<NSV5>"), 1);  // replaced in place
  // A short decimals text is extended with "-": 12.5 at no decimals rounds half away from zero.
  EXPECT_EQ(s.lines[1], "№2101<NSV5>" + std::string(4, ' ') + "12  " + std::string(4, ' ') + "  3押出発泡ポリスチレン" +
                            "   0.100       0       0      13       1 ");

  SLDT_NSV5.HeadText = {"", "toolong", "", ""};
  ASSERT_TRUE(Write_NSV5(s, 2109, ""));
  EXPECT_FALSE(SLDT_Found);
  ASSERT_EQ(s.lines.size(), 6u);
  EXPECT_EQ(Cols(s.lines[5], 1, 24), "№2109<NSV5>tool" + std::string(8, ' '));
  EXPECT_EQ(SLDT_NSV5.HeadText[1], "tool");  // the scratch field holds at most its width
}

TEST_F(RecordStoreTest, FloatFieldsAndDecimals) {
  RecordStore s;
  s.lines.push_back(PadRight("№1200<VV8>", 24) + "     4.1" + " 1,234.5" + std::string(16, ' ') + "  -3.250" +
                    "   1.E+2");
  ASSERT_TRUE(Read_VV8(s, 1200));
  EXPECT_FLOAT_EQ(SLDT_VV8.Value[1], 4.1f);
  EXPECT_EQ(SLDT_Decimals[1], 1);
  EXPECT_FLOAT_EQ(SLDT_VV8.Value[2], 1234.5f);
  EXPECT_EQ(SLDT_Decimals[2], 1);
  EXPECT_EQ(SLDT_VV8.Value[3], 0.0f);
  EXPECT_EQ(SLDT_Decimals[3], 0);
  EXPECT_FLOAT_EQ(SLDT_VV8.Value[5], -3.25f);
  EXPECT_EQ(SLDT_Decimals[5], 3);
  EXPECT_FLOAT_EQ(SLDT_VV8.Value[6], 100.0f);

  // Decimals texts: empty means none; only the first eight bytes count; a
  // two-byte character counts as two fields of none.
  struct Case {
    std::string decimals;
    std::string payload;
  } cases[] = {
      {"", "       3       3      -3       0       0       0       0       0"},
      {"12345601234", "     2.5    2.50  -2.500  0.0000 0.000000.000000       0     0.0"},
      {"1２3", "     2.5       3      -3   0.000       0       0       0       0"},
  };
  for (const auto& c : cases) {
    SLDT_VV8.Value = {0, 2.5f, 2.5f, -2.5f, 0, 0, 0, 0, 0};
    if (c.decimals == "12345601234") SLDT_VV8.Value[4] = -0.00001f;  // rounds to zero, written without sign
    ASSERT_TRUE(Write_VV8(s, 1300, c.decimals)) << c.decimals;
    EXPECT_EQ(Cols(SLDT_Line, 25), c.payload) << c.decimals;
  }
}

TEST_F(RecordStoreTest, ValuesThatDoNotFitRefuseTheWrite) {
  RecordStore s = GoldenStore();
  const RecordStore before = s;
  struct Case {
    std::function<bool()> write;
    std::string message;
  } cases[] = {
      {[&] {
         Read_VV8(s, 1102);
         SLDT_VV8.Value[3] = 100000000.0f;
         return Write_VV8(s, 1102, "111");
       },
       "№1102<VV8>の値 100000000.0 は8桁の欄に入りません。書き込みを中止しました。(Write_VV8)"},
      {[&] {
         Read_VV8(s, 1102);
         SLDT_VV8.Value[8] = -12345678.0f;
         return Write_VV8(s, 1102, "--------");
       },
       "№1102<VV8>の値 -12345678 は8桁の欄に入りません。"},
      {[&] {
         Read_VV8(s, 1102);
         SLDT_VV8.Value[1] = std::nanf("");
         return Write_VV8(s, 1102, "");
       },
       "№1102<VV8>の値が数値ではありません。"},
      {[&] {
         Read_NSV5(s, 2101);
         SLDT_NSV5.Number = 1000;
         return Write_NSV5(s, 2101, "33521");
       },
       "№2101<NSV5>の値 1000 は3桁の欄に入りません。"},
      {[&] {
         Read_NS2(s, 2001);
         SLDT_NS2.Number[2] = -100;
         return Write_NS2(s, 2001);
       },
       "№2001<NS2>の値 -100 は3桁の欄に入りません。"},
      {[&] {  // a missing record is not appended either
         Clear_SLDT("VV8");
         SLDT_VV8.Value[1] = 1e30f;
         return Write_VV8(s, 1105, "");
       },
       "№1105<VV8>の値 "},
  };
  for (auto& c : cases) {
    face.Clear();
    EXPECT_FALSE(c.write());
    EXPECT_EQ(s, before);
    EXPECT_NE(face.AllStatusText().find(c.message), std::string::npos) << face.AllStatusText();
  }
  // At the edge of the field the value still fits.
  Read_VV8(s, 1102);
  SLDT_VV8.Value[1] = -99999.9f;
  SLDT_VV8.Value[2] = 99999992.0f;
  EXPECT_TRUE(Write_VV8(s, 1102, "1"));
  EXPECT_EQ(Cols(SLDT_Line, 25, 16), "-99999.999999992");
}

TEST_F(RecordStoreTest, TextsAreCutToTheirFieldsNeverInsideACharacter) {
  RecordStore s;
  SLDT_NSV5.Name = "押出発泡ポリスチレン板";  // 22 bytes
  ASSERT_TRUE(Write_NSV5(s, 2101, ""));
  EXPECT_EQ(SLDT_NSV5.Name, "押出発泡ポリスチレン");
  SLDT_NSV5.Name = "a押出発泡ポリスチレン";  // the tenth character would cross byte 20
  ASSERT_TRUE(Write_NSV5(s, 2101, ""));
  EXPECT_EQ(SLDT_NSV5.Name, "a押出発泡ポリスチレ");
  EXPECT_EQ(MBWidth(s.lines[0]), 88);
  const std::string head = "№2101<NSV5>" + std::string(12, ' ') + "  0a押出";
  EXPECT_EQ(s.lines[0].substr(0, head.size()), head);

  SLDT_SS1.Text = "line\r\nbreak\t" + std::string(70, 'x');
  ASSERT_TRUE(Write_SS1(s, 1001));
  EXPECT_EQ(MBWidth(SLDT_Line), 88);
  EXPECT_EQ(Cols(SLDT_Line, 25, 13), "line  break x");
  EXPECT_EQ(SLDT_SS1.Text.size(), 60u);
}

TEST_F(RecordStoreTest, LabelsOutsideTheWritableRangeAreRefused) {
  RecordStore s;
  for (int32_t label : {999, 0, -5}) {
    face.Clear();
    EXPECT_EQ(Write_SLDT(s, label, "<VV8>"), -1);
    EXPECT_FALSE(Write_VV8(s, label, ""));
    EXPECT_FALSE(SLDT_Found);
    EXPECT_NE(face.AllStatusText().find("ラベル番号が1000未満は保存できません。(Write_SLDT)"), std::string::npos);
  }
  EXPECT_FALSE(Write_SS1(s, 1000000));
  EXPECT_TRUE(s.lines.empty());
  EXPECT_TRUE(Write_SS1(s, 999999));
  EXPECT_EQ(Cols(s.lines[0], 1, 12), "999999<SS1> ");
}

TEST_F(RecordStoreTest, HeaderLines) {
  EXPECT_EQ(HeaderLine(0).size(), 88u);
  std::regex form(R"(---<<< Kondra\.EXE Ver\.8\.20 Input Data >>>--- \d{4}/\d\d/\d\d \d\d:\d\d:\d\d {24})");
  RecordStore s{{"old"}};
  DataModified = true;
  New_SLDT("C:\\calc\\W1.KDR", s);
  ASSERT_EQ(s.lines.size(), 1u);
  EXPECT_TRUE(std::regex_match(s.lines[0], form)) << s.lines[0];
  EXPECT_EQ(StatusFileName, "W1");
  EXPECT_FALSE(DataModified);
  EXPECT_EQ(SavedCopy, s);

  // A long title is cut at 88 bytes; a character that would cross the edge
  // leaves 87 bytes and a blank.
  New_SLDT(std::string(87, 'a') + "壁", s);
  EXPECT_EQ(s.lines[0], std::string(87, 'a') + " ");
  New_SLDT(std::string(86, 'a') + "壁壁", s);
  EXPECT_EQ(s.lines[0], std::string(86, 'a') + "壁");
}

TEST_F(RecordStoreTest, BrokenFilesAreReportedAndLeaveTheStoreEmpty) {
  struct Case {
    std::string bytes;
    std::string reason;
  } cases[] = {
      {std::string("\x87\x82" "1001<SS1>\r\n") + std::string(1, '\0') + "\x01", "2行目に文字でないバイト(0x00)があります。テキストファイルではありません"},
      {"ok\r\nok\nbad \x81", "3行目にShift-JISとして読めない文字があります"},
  };
  for (const auto& c : cases) {
    face.Clear();
    const std::string path = temp.path() + "bad.KDR";
    test::WriteBytes(path, c.bytes);
    RecordStore s{{"previous"}};
    SavedCopy = s;
    EXPECT_FALSE(Load_SLDT(path, s));
    EXPECT_TRUE(s.lines.empty());
    EXPECT_EQ(SavedCopy.lines.size(), 1u);
    ASSERT_EQ(face.boxes.size(), 1u);
    EXPECT_EQ(face.boxes[0].text, "<" + path + ">\r\r" + c.reason + "。（読込み中止）");
    EXPECT_EQ(face.boxes[0].kind, 3);
  }

  const std::string huge = temp.path() + "huge.KDR";
  test::WriteBytes(huge, "x");
  ASSERT_EQ(::truncate(fs::ToNative(huge).c_str(), 17 * 1024 * 1024), 0);
  RecordStore s{{"previous"}};
  face.Clear();
  EXPECT_FALSE(Load_SLDT(huge, s));
  EXPECT_TRUE(s.lines.empty());
  EXPECT_NE(face.LastBoxText().find("ファイルが大きすぎます（17825792バイト）"), std::string::npos);

  face.Clear();
  const std::string missing = temp.path() + "none.KDR";
  EXPECT_FALSE(Load_SLDT(missing, s));
  EXPECT_EQ(face.LastBoxText(), missing + "\r\r読込むファイル名が見つかりません。");
  EXPECT_FALSE(Load_SLDT(temp.path(), s));  // a folder is no file
  EXPECT_EQ(face.LastBoxText(), temp.path() + "\r\r読込むファイル名が見つかりません。");

  // A final end-of-file mark is no fault.
  test::WriteBytes(huge, "a\r\nb\r\n\x1A");
  EXPECT_TRUE(Load_SLDT(huge, s));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"a", "b"}));
}

TEST_F(RecordStoreTest, FailedSavesLeaveTheFileAsItWas) {
  const std::string path = temp.path() + "W1.KDR";
  test::WriteBytes(path, "old");
  RecordStore s = GoldenStore();
  DataModified = true;

  EXPECT_FALSE(Save_SLDT("W1.KDR", s));
  EXPECT_EQ(face.LastBoxText(), "W1.KDR\r\r保存するファイル名が正しくありません。");
  EXPECT_FALSE(Save_SLDT("D:\\W1.KDR", s));

  face.Clear();
  SLDT_SS1.Text = "絵文字😀";
  ASSERT_TRUE(Write_SS1(s, 1001));
  EXPECT_FALSE(Save_SLDT(path, s));
  EXPECT_EQ(face.LastBoxText(), "<" + path + ">\r\r「😀」（№1001<SS1>）はShift-JISで保存できない文字です。（保存中止）");
  EXPECT_EQ(test::ReadBytes(path), "old");

  SLDT_SS1.Text = "ok";
  ASSERT_TRUE(Write_SS1(s, 1001));
  face.Clear();
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::WriteData ? ENOSPC : 0; });
  EXPECT_FALSE(Save_SLDT(path, s));
  fs::SetFaultHook(nullptr);
  EXPECT_EQ(test::ReadBytes(path), "old");
  EXPECT_TRUE(DataModified);
  ASSERT_EQ(face.systemErrors.size(), 1u);
  EXPECT_NE(face.systemErrors[0].find("ディスクの空き容量が足りません"), std::string::npos);

  face.Clear();
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::MakeFolder ? EACCES : 0; });
  EXPECT_FALSE(Save_SLDT(temp.path() + "new\\W2.KDR", s));
  fs::SetFaultHook(nullptr);
  EXPECT_EQ(face.LastBoxText(), "保存用のディレクトリが作成できませんでした。（保存中止）");
}

// Every reader, on a line whose payload is all "1": every field of the
// scratch record gets a value, so each layout matches its record.
TEST_F(RecordStoreTest, EveryTypeCodeFillsEveryField) {
  for (const std::string& code : ReadableTypeCodes()) {
    RecordStore s;
    s.lines.push_back(PadRight("№1234<" + code + ">", 24) + std::string(64, '1'));
    Clear_SLDT(code);
    ASSERT_NO_THROW(ASSERT_TRUE(Read_SLDT(s, 1234, code)) << code);
    std::vector<std::string> payload = ScratchPayload(code);
    ASSERT_FALSE(payload.empty()) << code;
    for (std::size_t i = 0; i < payload.size(); ++i)
      EXPECT_TRUE(payload[i] != "" && payload[i] != "0") << code << " field " << i;
  }
  EXPECT_FALSE(Read_SLDT(RecordStore{}, 1234, "XYZ"));
}

TEST_F(RecordStoreTest, ColumnsOfTheReadOnlyTypes) {
  auto line = [](const std::string& code, const std::string& payload) {
    return RecordStore{{PadRight("№3000<" + code + ">", 12) + "  7 -12 abc " + payload}};
  };
  RecordStore s = line("XYV4", "  10  20    1.5 -30  40   -2.25");
  ASSERT_TRUE(Read_XYV4(s, 3000));
  EXPECT_EQ(SLDT_XYV4.HeadText[1], "  7");
  EXPECT_EQ(SLDT_XYV4.HeadValue[1], 7);
  EXPECT_EQ(SLDT_XYV4.HeadValue[2], -12);
  EXPECT_EQ(SLDT_XYV4.HeadValue[3], 0);
  EXPECT_EQ(SLDT_XYV4.Number[1], 10);
  EXPECT_EQ(SLDT_XYV4.Number[4], 40);
  EXPECT_FLOAT_EQ(SLDT_XYV4.Value[2], -2.25f);

  s = line("CHDB", std::string("abcdefXghijklXmnopqrXstuvwxXyz    X") + "YNYNYNYY" + " 300" + "seven  " + " -5" + "abc" +
                       "xyz");
  ASSERT_TRUE(Read_CHDB(s, 3000));
  EXPECT_EQ(SLDT_CHDB.Text[1], "abcdef");  // six bytes of each seven-byte slot
  EXPECT_EQ(SLDT_CHDB.Text[5], "yz");
  EXPECT_EQ(SLDT_CHDB.Text[6], "Y");
  EXPECT_EQ(SLDT_CHDB.Text[13], "Y");
  EXPECT_EQ(SLDT_CHDB.Number[1], 255);  // limited to a byte
  EXPECT_EQ(SLDT_CHDB.Text[14], "seven");
  EXPECT_EQ(SLDT_CHDB.Number[2], 0);
  EXPECT_EQ(SLDT_CHDB.Text[15], "abc");
  EXPECT_EQ(SLDT_CHDB.Text[16], "xyz");

  s = line("MONY", PadLeft("12345678901", 12) + PadLeft("1.5", 12) + PadLeft("0", 12) + PadLeft("-7", 12) +
                       PadLeft("3.14159265", 12));
  ASSERT_TRUE(Read_MONY(s, 3000));
  EXPECT_EQ(SLDT_MONY.Big[1], 12345678901LL);
  EXPECT_EQ(SLDT_MONY.Big[2], 1);
  EXPECT_EQ(SLDT_Decimals[2], 1);
  EXPECT_EQ(SLDT_MONY.Big[4], -7);
  EXPECT_EQ(SLDT_Decimals[5], 8);

  s = line("SS64", "a b");
  ASSERT_TRUE(Read_SS64(s, 3000));
  EXPECT_EQ(SLDT_SS64.Text[2], " ");  // blanks kept
  EXPECT_EQ(SLDT_SS64.Text[64], " ");

  s = line("NV4", "     1     2     3     4" + PadLeft("1.25", 10) + PadLeft("2.5", 10) + PadLeft("3", 10) +
                      PadLeft("4.000", 10));
  ASSERT_TRUE(Read_NV4(s, 3000));
  EXPECT_EQ(SLDT_NV4.Number[4], 4);
  EXPECT_FLOAT_EQ(SLDT_NV4.Value[1], 1.25f);
  EXPECT_EQ(SLDT_Decimals[1], 2);
  EXPECT_EQ(SLDT_Decimals[4], 3);

  s = line("DT8", PadRight("1999/01/02", 12) + PadLeft("1", 6) + PadLeft("-2", 6) + PadLeft("3.5", 6));
  ASSERT_TRUE(Read_DT8(s, 3000));
  EXPECT_EQ(SLDT_DT8.Text[1], "1999/01/02");
  EXPECT_EQ(SLDT_DT8.Value[2], -2.0f);
  EXPECT_EQ(SLDT_DT8.Value[3], 3.0f);  // integer fields stored as singles

  s = line("YMD9", PadRight("1.5", 7) + PadRight("2.25", 7) + PadRight("abc", 7));
  ASSERT_TRUE(Read_YMD9(s, 3000));
  EXPECT_EQ(SLDT_YMD9.Text[2], "2.25");
  EXPECT_EQ(SLDT_Decimals[1], 1);
  EXPECT_EQ(SLDT_Decimals[2], 2);
  EXPECT_EQ(SLDT_Decimals[3], 0);
}

TEST_F(RecordStoreTest, HexadecimalFields) {
  struct Case {
    std::string field;  // five bytes
    int32_t value;
  } cases[] = {
      {"    0", 0},   {"   1F", 31},  {"  $FF", 255}, {"FFFFF", 0xFFFFF}, {"   1f", 0},
      {"1F   ", 0},   {"     ", 0},   {"  1G2", 0},   {"   -1", 0},
  };
  for (const auto& c : cases) {
    RecordStore s{{PadRight("№3000<HH12>", 24) + c.field}};
    ASSERT_TRUE(Read_HH12(s, 3000));
    EXPECT_EQ(SLDT_HH12.Number[1], c.value) << "[" << c.field << "]";
    EXPECT_EQ(SLDT_HH12.Text[1], TrimRight(c.field));
  }
  struct Case2 {
    std::string field;  // two bytes
    int32_t value;
  } bytes[] = {{" 0", 0}, {"00", 0}, {"FF", 255}, {" A", 10}, {"$F", 15}, {"A ", 0}, {"ZZ", 0}};
  for (const auto& c : bytes) {
    RecordStore s{{PadRight("№3000<HH32>", 24) + c.field}};
    ASSERT_TRUE(Read_HH32(s, 3000));
    EXPECT_EQ(SLDT_HH32.Number[1], c.value) << "[" << c.field << "]";
  }
}

TEST_F(RecordStoreTest, GroupReadsAndClears) {
  RecordStore s{{PadRight("№4000<MON2>", 24) + "2024/05   name", PadRight("№4000<MON4>", 24) + "last"}};
  EXPECT_TRUE(Read_MONO(s, 4000));
  EXPECT_TRUE(SLDT_Found);
  EXPECT_EQ(SLDT_MON2.Text[1], "2024/05");
  EXPECT_EQ(SLDT_MON4.Text[1], "last");
  EXPECT_EQ(SLDT_MON1.Label, "");
  EXPECT_FALSE(Read_KSAN(s, 4000));

  RecordStore c{{PadRight("№4000<CHDA>", 24) + "a", PadRight("№4000<CHDC>", 24) + "c",
                 PadRight("№4000<HH24>", 24) + " 1"}};
  Read_CHDA(c, 4000);
  Read_CHDC(c, 4000);
  Read_HH24(c, 4000);
  Clear_SLDT("CHDB");  // any code starting "CH" clears all three
  EXPECT_EQ(SLDT_CHDA.Text[1], "");
  EXPECT_EQ(SLDT_CHDC.Text[1], "");
  Clear_SLDT("XX");  // unknown: nothing
  EXPECT_EQ(SLDT_HH24.Number[1], 1);
  Clear_SLDT("HR24");
  EXPECT_EQ(SLDT_HH24.Number[1], 0);
  EXPECT_FALSE(SLDT_Found);
  // A clear reads label 9999, which label 0 then repeats.
  RecordStore nines{{"№9999<HH24>"}};
  EXPECT_EQ(Find_SLDT(nines, 0, "<HH24>"), 0);
  EXPECT_TRUE(SLDT_Found);
}

}  // namespace
}  // namespace kondra
