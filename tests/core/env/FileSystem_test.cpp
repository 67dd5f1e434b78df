#include "env/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "support/TestEnv.h"

namespace kondra {
namespace {

using test::KondraTest;

TEST(FileSystemPaths, MapsTheDriveFormOntoPosix) {
  EXPECT_EQ(fs::ToNative("C:\\tmp"), "/tmp");
  EXPECT_EQ(fs::ToNative("C:\\"), "/");
  EXPECT_EQ(fs::ToNative("C:\\tmp\\\\x\\"), "/tmp/x");
  EXPECT_EQ(fs::FromNative("/home/u/calc/W1.KDR"), "C:\\home\\u\\calc\\W1.KDR");
  EXPECT_EQ(fs::FromNative("/"), "C:\\");
  EXPECT_EQ(fs::FromNative("rel/x.kdr"), "rel\\x.kdr");
}

class FileSystemTest : public KondraTest {};

TEST_F(FileSystemTest, FindsFilesWhateverTheirAsciiCase) {
  test::WriteBytes(temp.path() + "Sample.kdr", "x");
  EXPECT_TRUE(fs::IsFile(temp.path() + "SAMPLE.KDR"));
  // Writing through the other spelling replaces the existing file in place.
  ASSERT_TRUE(fs::WriteWhole(temp.path() + "SAMPLE.KDR", "y"));
  EXPECT_EQ(fs::ListFolder(temp.path()).size(), 1u);
  EXPECT_EQ(test::ReadBytes(temp.path() + "Sample.kdr"), "y");
}

TEST_F(FileSystemTest, AFailedWriteLeavesTheOldFileAsItWas) {
  const std::string file = temp.path() + "W1.KDR";
  test::WriteBytes(file, "old contents");
  for (fs::Op op : {fs::Op::CreateTemp, fs::Op::WriteData, fs::Op::Flush, fs::Op::Rename}) {
    fs::SetFaultHook([op](fs::Op at, const std::string&) { return at == op ? ENOSPC : 0; });
    std::string error;
    EXPECT_FALSE(fs::WriteWhole(file, "new contents that are longer", &error));
    EXPECT_EQ(error, "ディスクの空き容量が足りません");
    EXPECT_EQ(test::ReadBytes(file), "old contents");
    EXPECT_EQ(fs::ListFolder(temp.path()).size(), 1u) << "temporary file left behind";
  }
}

TEST_F(FileSystemTest, ReadOnlyFilesAndMissingFoldersAreReported) {
  const std::string file = temp.path() + "ro.dat";
  test::WriteBytes(file, "keep");
  fs::SetFaultHook(nullptr);
  ASSERT_EQ(::chmod(fs::ToNative(file).c_str(), 0444), 0);
  std::string error;
  if (::geteuid() != 0) {  // root may write anything
    EXPECT_FALSE(fs::WriteWhole(file, "new", &error));
    EXPECT_EQ(test::ReadBytes(file), "keep");
  }
  EXPECT_TRUE(fs::GetAttributes(file).readOnly || ::geteuid() == 0);
  EXPECT_FALSE(fs::WriteWhole(temp.path() + "gone\\x.dat", "new", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(FileSystemTest, ReadWholeRefusesFoldersAndHugeFiles) {
  std::string bytes, error;
  EXPECT_FALSE(fs::ReadWhole(temp.path(), bytes, &error));
  test::WriteBytes(temp.path() + "big", std::string(1000, 'x'));
  EXPECT_FALSE(fs::ReadWhole(temp.path() + "big", bytes, &error, 999));
  EXPECT_NE(error.find("大きすぎ"), std::string::npos);
  EXPECT_TRUE(fs::ReadWhole(temp.path() + "big", bytes, &error, 1000));
}

TEST_F(FileSystemTest, MakesNestedFolders) {
  ASSERT_TRUE(fs::MakeFolders(temp.path() + "a\\b\\c\\"));
  EXPECT_TRUE(fs::IsDir(temp.path() + "a\\b\\c"));
}

}  // namespace
}  // namespace kondra
