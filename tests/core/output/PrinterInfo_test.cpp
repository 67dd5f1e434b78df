#include "output/PrinterInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "env/Folders.h"
#include "env/FileSystem.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class PrinterInfoTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    savedDatDir = DatDir;
    DatDir = temp.path();
    PrinterInfo = PrinterInfoType{};
  }
  void TearDown() override {
    DatDir = savedDatDir;
    PrinterInfo = PrinterInfoType{};
    KondraTest::TearDown();
  }
  // A paper file with the given rows (one column).
  void WritePaperFile(const std::vector<std::string>& rows) {
    DT_RowCount = static_cast<int32_t>(rows.size());
    DT_ColCount = 1;
    DT_ColWidth[1] = 40;
    for (std::size_t i = 0; i < rows.size(); ++i) DT_Cell[i + 1][1] = DT_Name[i + 1] = rows[i];
    ASSERT_TRUE(DataSave(DatDir + kPaperFileName));
  }
  // An A4 page at 600 dpi with a 5 mm border.
  static PrinterFacts A4At600(const std::string& name) {
    PrinterFacts f;
    f.DeviceName = name;
    f.FormName = "A4";
    f.PageWidth = 4961;
    f.PageHeight = 7016;
    f.PrintableWidth = 4725;
    f.PrintableHeight = 6780;
    f.OffsetX = 118;
    f.OffsetY = 100;
    f.DpiX = f.DpiY = 600;
    f.Quality = 600;
    return f;
  }
  std::string savedDatDir;
};

TEST_F(PrinterInfoTest, DotsToMillimetres) {
  PrinterInfo.DeviceName = "P";
  PrinterInfo.DpiX = 600;
  PrinterInfo.DpiY = 300;
  struct Case {
    int32_t value;
    char axis;
    int32_t mm;
  };
  const Case cases[] = {
      {4961, 'X', 210}, {7016, 'X', 297}, {3508, 'Y', 297},
      {0, 'X', 0},      {-600, 'X', -25}, {1234, 'Z', 1234},
  };
  for (const Case& c : cases) EXPECT_EQ(PrinterDotsToMm(c.value, c.axis), c.mm) << c.value << c.axis;
  // At 254 dpi 25 dots are 2.5 mm and 35 dots 3.5 mm: ties go to the even millimetre.
  PrinterInfo.DpiX = 254;
  EXPECT_EQ(PrinterDotsToMm(25, 'X'), 2);
  EXPECT_EQ(PrinterDotsToMm(35, 'X'), 4);

  PrinterInfo.DpiY = 0;
  EXPECT_EQ(PrinterDotsToMm(600, 'X'), 0);
  PrinterInfo.DpiY = 600;
  PrinterInfo.DeviceName.clear();
  EXPECT_EQ(PrinterDotsToMm(600, 'X'), 0);
}

TEST_F(PrinterInfoTest, PaperKey) {
  EXPECT_EQ(PaperKey(4961, 7016, 600, 600), "(210x297");
  EXPECT_EQ(PaperKey(7016, 4961, 600, 600), "(297x210");
  EXPECT_EQ(PaperKey(2550, 3300, 300, 300), "(216x279");
}

TEST_F(PrinterInfoTest, FactsFillTheRecord) {
  WritePaperFile({"A3 (297x420mm) 縦", "A4 (210x297mm) 縦", "その他"});
  PrinterInfo.DialogMode = 1;
  TakePrinterFacts(A4At600("Office Laser"));
  const PrinterInfoType& p = PrinterInfo;
  EXPECT_EQ(p.DeviceName, "Office Laser");
  EXPECT_EQ(p.PaperName, "A4 (210x297mm) 縦");
  EXPECT_EQ(p.FormName, "A4");
  EXPECT_EQ(p.MarginLeft, 118);
  EXPECT_EQ(p.MarginRight, 4961 - 4725 - 118);
  EXPECT_EQ(p.MarginTop, 100);
  EXPECT_EQ(p.MarginBottom, 7016 - 6780 - 100);
  EXPECT_EQ(p.PageWidthMm, 210);
  EXPECT_EQ(p.PageHeightMm, 297);
  EXPECT_EQ(p.PrintableWidthMm, 200);
  EXPECT_EQ(p.PrintableHeightMm, 287);
  EXPECT_EQ(p.MarginLeftMm, 5);
  EXPECT_EQ(p.MarginTopMm, 4);
  EXPECT_EQ(p.MarginBottomMm, 6);
  EXPECT_EQ(p.DialogMode, 0);
  EXPECT_FALSE(p.IsPdf);
}

TEST_F(PrinterInfoTest, PaperFallsBackToTheLastRow) {
  WritePaperFile({"A3 (297x420mm) 縦", "その他の用紙"});
  TakePrinterFacts(A4At600("P"));
  EXPECT_EQ(PrinterInfo.PaperName, "その他の用紙");
}

TEST_F(PrinterInfoTest, MissingPaperFileLeavesThePaperUnnamed) {
  PrinterInfo.PaperName = "old";
  TakePrinterFacts(A4At600("P"));
  EXPECT_EQ(PrinterInfo.PaperName, "");
  EXPECT_EQ(PrinterInfo.DeviceName, "P");
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(PrinterInfoTest, PdfPrinters) {
  struct Case {
    const char* name;
    bool writesPdf;
    bool pdf;
  };
  const Case cases[] = {
      {"Adobe Acrobat", false, true}, {"Acrobat Distiller J", false, true}, {"acrobat", false, false},
      {"Office Laser", false, false}, {"Kondra PDF", true, true},
  };
  for (const Case& c : cases) {
    PrinterFacts f = A4At600(c.name);
    f.WritesPdf = c.writesPdf;
    TakePrinterFacts(f);
    EXPECT_EQ(PrinterInfo.IsPdf, c.pdf) << c.name;
  }
}

TEST_F(PrinterInfoTest, ForgettingKeepsTheRest) {
  TakePrinterFacts(A4At600("P"));
  ForgetPrinter();
  EXPECT_EQ(PrinterInfo.DeviceName, "");
  EXPECT_EQ(PrinterInfo.DpiX, 600);
  EXPECT_EQ(PrinterDotsToMm(600, 'X'), 0);
}

}  // namespace
}  // namespace kondra
