// Which files open as a calculation: a new calculation's file (its header
// alone) does, while nothing at all, a line of something else, or records
// whose label was misread (the type code out of place) do not, so they are
// never opened as a blank calculation and saved over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/CalcFile.h"
#include "records/RecordStore.h"

namespace kondra {
namespace {

constexpr const char* kHeader = "---<<< Kondra.EXE Ver.8.20 Input Data >>>--- 2026/12/10 00:26:31";
constexpr const char* kTitle = "№1101<SS1>             南面外壁";

struct Shape {
  const char* name;
  std::vector<std::string> lines;
  const char* problem;  // part of the reason, or nullptr when it is a calculation
};

TEST(CalcFileShape, TellsCalculationsFromOtherFiles) {
  const Shape shapes[] = {
      {"header alone (a new calculation)", {kHeader}, nullptr},
      {"header and title", {kHeader, kTitle}, nullptr},
      {"title without header", {kTitle}, nullptr},
      {"nothing", {}, "空のファイル"},
      {"blank lines", {"", "   "}, "空のファイル"},
      {"one line of something else", {std::string(4000, '7')}, "見出し行も記録もありません"},
      // The sample with its line ends lost: one line that starts as a header.
      {"header and records on one line",
       {std::string(kHeader) + std::string(24, ' ') + kTitle + std::string(60, ' ') + "№1201<VV8>"},
       "改行のないファイル"},
      {"a record longer than its line", {kHeader, std::string(kTitle) + std::string(80, ' ') + "x"}, "2行目が長すぎます"},
      {"trailing blanks past the line", {kHeader, std::string(kTitle) + std::string(200, ' ')}, nullptr},
      {"label of five digits", {kHeader, "№11011<SS1>            南面外壁"}, "<…>の形ではありません"},
      {"type code without brackets", {kHeader, "№1101 SS1              南面外壁"}, "<…>の形ではありません"},
      {"unknown label, proper type", {kHeader, kTitle, "№5000<SS1>             メモ"}, nullptr},
  };
  for (const Shape& shape : shapes) {
    RecordStore store;
    store.lines = shape.lines;
    const std::string problem = CalcFileProblem(store);
    if (shape.problem == nullptr)
      EXPECT_EQ(problem, "") << shape.name;
    else
      EXPECT_NE(problem.find(shape.problem), std::string::npos) << shape.name << ": " << problem;
  }
}

}  // namespace
}  // namespace kondra
