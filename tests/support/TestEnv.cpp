#include "support/TestEnv.h"

#include <cstdlib>
#include <filesystem>

#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/FileSystem.h"

namespace kondra::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kondra-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  native_ = made ? std::string(made) : std::string();
  path_ = fs::FromNative(native_) + "\\";
}

TempFolder::~TempFolder() {
  std::error_code ec;
  if (!native_.empty()) std::filesystem::remove_all(native_, ec);
}

void WriteCp932(const std::string& path, const std::string& utf8) {
  std::string bytes, bad;
  ASSERT_TRUE(ToCp932(utf8, bytes, &bad)) << "not CP932: " << bad;
  WriteBytes(path, bytes);
}

std::string ReadCp932(const std::string& path) {
  std::string bytes = ReadBytes(path);
  std::string text;
  EXPECT_TRUE(FromCp932(bytes, text)) << path;
  return text;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  fs::ReadWhole(path, bytes);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::string error;
  ASSERT_TRUE(fs::WriteWhole(path, bytes, &error)) << path << ": " << error;
}

void KondraTest::SetUp() {
  SetMessageFace(&face);
  ResetMessageState();
  Edit = EditState{};
  DataModified = false;
  StatusFileName.clear();
}

void KondraTest::TearDown() {
  fs::SetFaultHook(nullptr);
  SetMessageFace(nullptr);
}

}  // namespace kondra::test
