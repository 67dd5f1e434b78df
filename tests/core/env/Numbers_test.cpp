#include "env/Numbers.h"

#include <cfloat>
#include <ctime>

#include "env/EditState.h"
#include "env/Folders.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class NumbersTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    DatDir = temp.path();
    test::WriteCp932(DatDir + "エラー文.DAT", "700 行番号の指定が正しくありません。\r\n");
  }
  void TearDown() override {
    DatDir.clear();
    KondraTest::TearDown();
  }
};

TEST_F(NumbersTest, EvaluateWorksStrictlyFromLeftToRight) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"1+2*3", 9},      {"2+3", 5},      {"-5+3", -2},  // the empty first term is 0
      {"10/0", 10},      {"2=3+4", 6},    {" 1,200*2 ", 2400}, {"7", 7},
      {"", 0},           {"1.5*4=", 6},   {"8/4/2", 1},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Evaluate(c.text), c.value) << c.text;
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(NumbersTest, EvaluateWarnsAndGivesZero) {
  struct Case {
    const char* text;
    const char* warning;
  } cases[] = {
      {"2+(3)", "※文字式に括弧'(',')'は使えません。（'0123456789+-*/.,'）"},
      {"1+1+1+1+1+1+1+1+1+1+1+1+1", "※演算子は最大12個までです。"},  // 12 "+" and the closing "="
      {"１+2", "※文字式に２バイト文字(漢字)が含まれています。"},
  };
  for (const auto& c : cases) {
    face.boxes.clear();
    EXPECT_EQ(Evaluate(c.text), 0) << c.text;
    ASSERT_EQ(face.boxes.size(), 1u) << c.text;
    EXPECT_EQ(face.boxes[0].text, c.warning);
    EXPECT_EQ(face.boxes[0].kind, 3);
    EXPECT_EQ(face.boxes[0].buttons, 1);
  }
  face.boxes.clear();
  EXPECT_EQ(Evaluate("1+1+1+1+1+1+1+1+1+1+1+1"), 12);  // eleven "+" and "=": within the limit
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(NumbersTest, NormalizeInputReadsLimitsAndFormats) {
  struct Case {
    int kind, m, d;
    const char* text;
    bool calc, zero, negatives;
    const char* expect;
  } cases[] = {
      {etFloat, 8, 2, "1,234.5", false, true, false, " 1234.50"},
      {etFloat, 8, 2, "-3", false, true, false, "       0"},
      {etFloat, 8, 2, "-3", false, true, true, "   -3.00"},
      {etFloat, 8, 2, "0", false, false, false, ""},
      {etFloat, 8, 2, "0.00", false, false, false, ""},
      {etFloat, 8, 2, "abc", false, true, false, "       0"},
      {etFloat, 8, 1, "1+2*3", true, true, false, "     9.0"},
      {etFloat, 6, 1, "0.15", false, true, false, "   0.2"},  // rounded as the single it is stored in
      {etFloat, 0, 2, "2.5", false, true, false, "    2.50"},  // width 0 counts as 8
      {etByte, 3, 0, "300", false, true, false, "255"},
      {etWord, 5, 0, "-1", false, true, false, "    0"},
      {etWord, 5, 0, "70000", false, true, false, "65535"},
      {etSmallInt, 6, 0, "-40000", false, true, true, "-32768"},
      {etSmallInt, 6, 0, "-5", false, true, false, "     0"},
      {etInteger, 11, 0, "12a", false, true, false, "         12"},
      {etInteger, 11, 0, "99999*99999", true, true, false, " 2147483647"},  // held to 32 bits
      {etInteger, 11, 0, "7/2", true, true, false, "          4"},             // rounded
      {etInteger, 4, 0, "12345", false, true, false, "2345"},                  // rightmost m digits
      {etString, 5, 0, "ab", false, true, false, "ab"},
      {etString, 4, 0, "あいう", false, true, false, "あい"},
      {etString, 3, 0, "あいう", false, true, false, "あ"},  // a cut never splits a character
      {etString, 0, 0, "  x  ", false, true, false, "  x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeInput(c.kind, c.m, c.d, c.text, c.calc, c.zero, c.negatives), c.expect)
        << c.kind << " " << c.text;
  }
}

TEST_F(NumbersTest, FloatsThatDoNotFitShowTheStartTextAgain) {
  Edit.startText = "   12.00";
  EXPECT_EQ(NormalizeInput(etFloat, 8, 2, "123456.7", false, true, false), "   12.00");
  EXPECT_EQ(NormalizeInput(etFloat, 8, 2, "99999.99", false, true, false), "99999.99");
  // Rounding up to six digits would lose the leading digit to the cut.
  EXPECT_EQ(NormalizeInput(etFloat, 8, 2, "1e5-.001", true, true, false), "   12.00");
  // A sign that would be cut off is not dropped silently.
  EXPECT_EQ(NormalizeInput(etFloat, 8, 2, "-12345.5", false, true, true), "   12.00");
  EXPECT_EQ(NormalizeInput(etFloat, 0, 2, "1e300*1e300", true, true, false), "   12.00");
  // Input longer than the field keeps its rightmost bytes.
  EXPECT_EQ(NormalizeInput(etFloat, 8, 2, "123456789", false, true, false), "   12.00");
  EXPECT_EQ(NormalizeInput(etFloat, 8, 1, "0000000012.5", false, true, false), "    12.5");
}

TEST_F(NumbersTest, DatesAndTimesAreCheckedAndBadOnesRevert) {
  struct Case {
    const char* text;
    bool date, time, dateTime;
  } cases[] = {
      {"24/02/29", true, false, false},  {"26/02/29", false, false, false}, {"2024/02/29", true, false, false},
      {"1900/02/29", true, false, false},  // only the last two digits of the year count
      {"24/13/01", false, false, false}, {"24/04/31", false, false, false}, {"24/04/00", false, false, false},
      {"/4/02/29", false, false, false}, {"24-02-29", false, false, false}, {"24/02/2", false, false, false},
      {"23:59:59", false, true, false},  {"24:00:00", false, false, false}, {"12:60:00", false, false, false},
      {"1:2:3", false, false, false},    {"24/02/29 23:59:59", false, false, true},
      {"2024/02/29 00:00:00", false, false, true}, {"24/02/30 12:00:00", false, false, false},
      {"24/02/29 24:00:00", false, false, false},  {"24/02/29x12:00:00", false, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidDate(c.text), c.date) << c.text;
    EXPECT_EQ(ValidTime(c.text), c.time) << c.text;
    EXPECT_EQ(ValidDateTime(c.text), c.dateTime) << c.text;
  }
  EXPECT_TRUE(IsLeapYear(0));     // 2000
  EXPECT_FALSE(IsLeapYear(50));   // 1950
  EXPECT_TRUE(IsLeapYear(96));    // 1996
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));

  Edit.cellTextBefore = "24/01/01";
  EXPECT_EQ(NormalizeInput(etDate, 10, 0, " 24/02/29", false, true, false), "24/02/29");
  EXPECT_EQ(NormalizeInput(etDate, 8, 0, "26/02/29", false, true, false), "24/01/01");
  EXPECT_EQ(NormalizeInput(etTime, 8, 0, "24:00:00", false, true, false), "24/01/01");
}

TEST_F(NumbersTest, FormattingHelpers) {
  EXPECT_EQ(FormatSingle(8, 2, 1234.5f), " 1234.50");
  EXPECT_EQ(FormatSingle(8, 2, 0.0f), "       0");
  EXPECT_EQ(FormatSingle(0, 3, 1.5f), "1.500");
  EXPECT_EQ(FormatSingle(0, 3, 0.0f), "0");
  EXPECT_EQ(FormatSingle(4, 6, 1.25f), " 1.2");  // decimals wider than the field: width - 3
  EXPECT_EQ(FormatSingle(5, 1, 123456.0f), "456.0");  // always exactly m bytes
  EXPECT_EQ(FormatInt(5, 42), "   42");
  EXPECT_EQ(FormatInt(1, -42), "-42");
  EXPECT_EQ(FormatGrouped(0, 1234567), "1,234,567");
  EXPECT_EQ(FormatGrouped(10, 1234567), " 1,234,567");
  EXPECT_EQ(FormatGrouped(0, -1234), "-1,234");
  EXPECT_EQ(FormatGrouped(0, 999), "999");
  EXPECT_EQ(FormatValue(etInteger, 0, 0, 5, true, false), "       5");

  EXPECT_TRUE(FitsDigits(0, 3));
  EXPECT_TRUE(FitsDigits(1e9, 0));
  EXPECT_TRUE(FitsDigits(99999.9, 5));
  EXPECT_FALSE(FitsDigits(100000, 5));
  EXPECT_FALSE(FitsDigits(-100000, 5));
  EXPECT_TRUE(InRange(5, 10, 1));
  EXPECT_FALSE(InRange(11, 10, 1));
  EXPECT_TRUE(InRangeF(-50.0f, 100.0f, -50.0f));
  EXPECT_FALSE(InRangeF(100.5f, -50.0f, 100.0f));

  EXPECT_EQ(DegMinText(35.42), " 35ﾟ42'");
  EXPECT_EQ(DegMinText(139.05), "139ﾟ05'");
  EXPECT_EQ(DegMinText(33.57), " 33ﾟ57'");  // 57 minutes stay with 33 degrees
  EXPECT_EQ(DegMinText(35.996), " 36ﾟ00'");  // the minutes carry into the degrees
  EXPECT_EQ(DegMinText(static_cast<float>(35.42)), " 35ﾟ42'");
}

TEST_F(NumbersTest, RowListsExpandAndRefuse) {
  std::vector<int32_t> numbers;
  EXPECT_EQ(ParseNumberList("1,3..5", numbers), 4);
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 3, 4, 5}));
  EXPECT_TRUE(MsgYes);
  EXPECT_EQ(ExpandRanges("3..4..6"), "3,4,5,6");
  EXPECT_EQ(ExpandRanges("7..7"), "7");
  EXPECT_EQ(ExpandRanges(""), "");
  EXPECT_TRUE(MsgYes);
  EXPECT_EQ(ParseNumberList("", numbers), 0);
  EXPECT_FALSE(MsgYes);
  EXPECT_EQ(ParseNumberList("2,,4", numbers), 3);  // an empty part reads as 0
  EXPECT_EQ(numbers, (std::vector<int32_t>{2, 0, 4}));

  const char* refused[] = {"5..3", "1...3", "1,a", "１,2", "..5", "5..", "1..1000", "1-3"};
  for (const char* text : refused) {
    face.Clear();
    EXPECT_EQ(ExpandRanges(text), text);
    EXPECT_FALSE(MsgYes) << text;
    EXPECT_EQ(ErrorNo, 700);
    EXPECT_NE(face.AllStatusText().find("行番号の指定が正しくありません。 （ERRno=700）"), std::string::npos) << text;
    EXPECT_EQ(ParseNumberList(text, numbers), 0);
    EXPECT_TRUE(numbers.empty());
  }
  EXPECT_EQ(ParseNumberList("1..999", numbers), 999);  // the longest range allowed
  EXPECT_EQ(numbers.back(), 999);
}

TEST_F(NumbersTest, TimeTexts) {
  std::tm t{};
  t.tm_year = 124;  // 2024
  t.tm_mon = 1;
  t.tm_mday = 9;
  t.tm_hour = 7;
  t.tm_min = 5;
  t.tm_sec = 3;
  t.tm_isdst = -1;
  std::time_t moment = std::mktime(&t);
  EXPECT_EQ(NowStamp(moment), "240209070503");
  EXPECT_EQ(NowText(moment), "2024/02/09 07:05:03");
  EXPECT_EQ(ReportStamp(moment), "2024/02/09 07:05:03");
  EXPECT_EQ(NowText().size(), 19u);
  EXPECT_EQ(NowStamp().size(), 12u);
}

}  // namespace
}  // namespace kondra
