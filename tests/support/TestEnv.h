// Common ground for core tests: a fresh recording message face, reset
// process-wide state, and a temporary folder that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "env/Messages.h"

namespace kondra::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // Program form with trailing "\", e.g. "C:\tmp\kondra-test-ab12\".
  const std::string& path() const { return path_; }
  const std::string& native() const { return native_; }

 private:
  std::string path_;
  std::string native_;
};

// Writes UTF-8 text to a file as CP932 bytes (fails the test when it cannot).
void WriteCp932(const std::string& path, const std::string& utf8);
// Reads a file and decodes it from CP932.
std::string ReadCp932(const std::string& path);
// Raw bytes of a file ("" when missing).
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

class KondraTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HeadlessFace face;
  TempFolder temp;
};

}  // namespace kondra::test
