// Every save of the program against a disk that fails it: full, read-only,
// a folder that went away, a write that stops half way. Whatever happens,
// the file as it was before the save stays byte for byte, and the user is
// told in plain words which file was not saved.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/Diagram.h"
#include "calc/Engine.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "output/DiagramMetafile.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

// One save path of the program: how to make a first good file, how to
// change what would be saved, and the save itself.
struct SavePath {
  const char* name;
  // The file the save writes, below `folder` (program form, trailing "\").
  std::function<std::string(const std::string& folder)> file;
  // Brings the data to its first state (the one the old file holds); the
  // paths that write into a fixed folder get theirs pointed at `folder`.
  std::function<void(const std::string& folder)> first;
  // Changes the data so a second save would write other bytes.
  std::function<void()> change;
  // Saves to `file`; false when the save said it failed. `error` gets the
  // text a save path hands back instead of showing it.
  std::function<bool(const std::string& file, std::string& error)> save;
};

LayerLooks Looks() {
  LayerLooks looks{};
  return looks;
}

const SavePath kSavePaths[] = {
    {"CalculationFile", [](const std::string& f) { return f + "W1.KDR"; },
     [](const std::string& f) {
       NewCalcFile(f + "W1.KDR");
       StoreTitle("南面外壁");
     },
     [] { StoreTitle("北面外壁（改修後）"); },
     [](const std::string& file, std::string&) { return SaveCalcFile(file); }},
    {"Environment", [](const std::string& f) { return f + kEnvFileName; },
     [](const std::string& f) {
       DataDir = f;
       ColorFile = "C:\\KONDRA.COL";
     },
     [] { ColorFile = "C:\\GRAY.COL"; },
     [](const std::string&, std::string&) {
       // Reports only by its messages.
       LastStatusMsg.clear();
       LastErrorText.clear();
       SaveEnvironment();
       return LastStatusMsg.empty() && LastErrorText.empty();
     }},
    {"MaterialFile", [](const std::string& f) { return f + "材料物性.DAT"; },
     [](const std::string&) {
       DT_RowCount = 2;
       DT_ColCount = 2;
       DT_ColWidth[1] = 16;
       DT_ColWidth[2] = 8;
       DT_Cell[1] = {"", "合板", "0.14"};
       DT_Cell[2] = {"", "石膏ボード", "0.19"};
       DT_Name[1] = "合板";
       DT_Name[2] = "石膏ボード";
     },
     [] { DT_Cell[2][2] = "0.22"; },
     [](const std::string& file, std::string&) { return DataSave(file); }},
    {"LastFileRecord", [](const std::string& f) { return f + "KDR情報.DAT"; },
     [](const std::string& f) {
       DataDir = f;
       LastFileRow[7] = "南面外壁";
     },
     [] { LastFileRow[7] = "北面外壁"; },
     [](const std::string&, std::string&) { return SaveLastFileRecord("KDR情報.DAT", "C:\\calc\\W1.KDR"); }},
    {"ReportPicture", [](const std::string& f) { return f + "Kondra(0).EMF"; },
     [](const std::string&) {
       ResetCalcState(Calc);
       SetSideCond(1, 0, 70, Calc);
       SetSideCond(2, 20, 60, Calc);
     },
     [] { SetSideCond(1, -10, 80, Calc); },
     [](const std::string& file, std::string& error) { return WriteDiagramMetafile(0, file, Looks(), &error); }},
};

// How the disk fails the save.
enum class Kind { Hook, ReadOnlyFile, ReadOnlyFolder, VanishedFolder };
struct Fault {
  const char* name;
  Kind kind;
  fs::Op op = fs::Op::WriteData;  // for Hook
  int err = 0;                    // for Hook
};

const Fault kFaults[] = {
    {"DiskFullWhileWriting", Kind::Hook, fs::Op::WriteData, ENOSPC},
    {"DiskFullAtFlush", Kind::Hook, fs::Op::Flush, ENOSPC},
    {"FailsAfterHalfTheFile", Kind::Hook, fs::Op::WriteData, EIO},
    {"FolderRefusesNewFiles", Kind::Hook, fs::Op::CreateTemp, EACCES},
    {"ReplaceRefused", Kind::Hook, fs::Op::Rename, EPERM},
    {"ReadOnlyFile", Kind::ReadOnlyFile},
    {"ReadOnlyFolder", Kind::ReadOnlyFolder},
    {"VanishedFolder", Kind::VanishedFolder},
};

void PrintTo(const SavePath& path, std::ostream* os) { *os << path.name; }
void PrintTo(const Fault& fault, std::ostream* os) { *os << fault.name; }

// Makes a file or folder unwritable. An ordinary user gets the permission
// bits taken away; the superuser ignores those, so for it the immutable flag
// is set instead (which it does obey). False when neither is possible here.
bool MakeUnwritable(const std::string& native, bool on) {
  if (::geteuid() != 0) return ::chmod(native.c_str(), on ? 0555 : 0755) == 0;
  const int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

class SaveFaults : public test::KondraTest,
                   public ::testing::WithParamInterface<std::tuple<SavePath, Fault>> {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    // The numbered texts come from the installation's error-message file.
    DatDir = fs::FromNative(KONDRA_INSTALL_TREE) + "\\DATA\\DAT\\";
    EnvReadOnly = false;
    folder = temp.path() + "save\\";
    ASSERT_TRUE(fs::MakeFolders(folder));
    ResultDir.clear();
  }
  void TearDown() override {
    if (!unwritable.empty()) MakeUnwritable(unwritable, false);
    KondraTest::TearDown();
  }

  // Everything the user was told, and what the save handed back.
  std::string Said(const std::string& error) const {
    std::string all = error;
    for (const auto& box : face.boxes) all += "\n" + box.text;
    for (const auto& text : face.systemErrors) all += "\n" + text;
    for (const auto& panels : face.statusHistory) all += "\n" + panels[0];
    return all;
  }

  std::string folder;
  std::string unwritable;  // native path to make writable again
};

TEST_P(SaveFaults, KeepsThePreviousFileAndNamesIt) {
  const auto& [path, fault] = GetParam();
  const std::string file = path.file(folder);
  const std::string name = file.substr(file.rfind('\\') + 1);

  path.first(folder);
  std::string error;
  ASSERT_TRUE(path.save(file, error)) << error;
  const std::string before = test::ReadBytes(file);
  ASSERT_FALSE(before.empty());
  path.change();
  face.Clear();

  switch (fault.kind) {
    case Kind::Hook:
      fs::SetFaultHook([&fault](fs::Op op, const std::string&) { return op == fault.op ? fault.err : 0; });
      break;
    case Kind::ReadOnlyFile:
      if (!MakeUnwritable(fs::ToNative(file), true)) GTEST_SKIP() << "cannot make a file read-only here";
      unwritable = fs::ToNative(file);
      break;
    case Kind::ReadOnlyFolder:
      if (!MakeUnwritable(fs::ToNative(folder), true)) GTEST_SKIP() << "cannot make a folder read-only here";
      unwritable = fs::ToNative(folder);
      break;
    case Kind::VanishedFolder:
      std::filesystem::remove_all(fs::ToNative(folder));
      break;
  }

  error.clear();
  const bool saved = path.save(file, error);
  fs::SetFaultHook(nullptr);
  const std::string said = Said(error);

  if (fault.kind == Kind::VanishedFolder) {
    // Nothing is left to keep. Making the folder again and saving is as good
    // as refusing with a message; a save that claims success must be there.
    if (fs::IsFile(file)) {
      EXPECT_NE(test::ReadBytes(file), before);
    } else {
      EXPECT_FALSE(saved);
      EXPECT_NE(said.find(name), std::string::npos) << said;
    }
    return;
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(test::ReadBytes(file), before) << "the previous file changed";
  EXPECT_NE(said.find(name), std::string::npos) << "the message does not name " << name << ":\n" << said;
  if (fault.kind == Kind::Hook) {
    EXPECT_NE(said.find(fs::ErrorText(fault.err)), std::string::npos) << "no plain reason:\n" << said;
  }
  // Nothing but the file itself is left in the folder: no temporary files.
  if (unwritable.empty()) {
    for (const std::string& entry : fs::ListFolder(folder)) EXPECT_EQ(entry.find(".tmp"), std::string::npos) << entry;
  }
}

// Without a fault each path really writes the change, so the checks above
// would see a save that wrote where it should not have.
class SaveWithoutFault : public test::KondraTest, public ::testing::WithParamInterface<SavePath> {};

TEST_P(SaveWithoutFault, WritesTheChange) {
  const SavePath& path = GetParam();
  DatDir = fs::FromNative(KONDRA_INSTALL_TREE) + "\\DATA\\DAT\\";
  EnvReadOnly = false;
  ResultDir.clear();
  const std::string folder = temp.path();
  const std::string file = path.file(folder);
  path.first(folder);
  std::string error;
  ASSERT_TRUE(path.save(file, error)) << error;
  const std::string before = test::ReadBytes(file);
  path.change();
  ASSERT_TRUE(path.save(file, error)) << error;
  EXPECT_NE(test::ReadBytes(file), before);
  EXPECT_TRUE(face.boxes.empty()) << face.LastBoxText();
}

INSTANTIATE_TEST_SUITE_P(AllSaves, SaveWithoutFault, ::testing::ValuesIn(kSavePaths),
                         [](const auto& info) { return std::string(info.param.name); });

std::string CaseName(const ::testing::TestParamInfo<std::tuple<SavePath, Fault>>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(AllSaves, SaveFaults,
                         ::testing::Combine(::testing::ValuesIn(kSavePaths), ::testing::ValuesIn(kFaults)),
                         CaseName);

}  // namespace
}  // namespace kondra
