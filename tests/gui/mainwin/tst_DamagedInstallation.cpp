// The program started on damaged installations, as kondra starts: each case
// is a copy of the factory tree with one file broken the way a disk or a copy
// breaks it. The window is up at once (nothing waits before it is painted),
// what went wrong is said once, naming the file, and no file of the
// installation changes. The environment file is the program's own record of
// the last start and is written at every start when it read cleanly.
#include <unistd.h>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "calc/Engine.h"
#include "controls/QtMessageFace.h"
#include "env/Environment.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "gui/support/GuiTest.h"
#include "mainwin/KDRForm.h"
#include "mainwin/KDRStart.h"
#include "support/TestEnv.h"

using namespace kondra;
namespace sfs = std::filesystem;

namespace {

using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const sfs::path& root) {
  Snapshot files;
  for (const auto& entry : sfs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[sfs::relative(entry.path(), root).string()] = test::ReadBytes(entry.path().string());
  return files;
}

std::string Read(const sfs::path& file) { return test::ReadBytes(file.string()); }
void Write(const sfs::path& file, const std::string& bytes) { test::WriteBytes(file.string(), bytes); }

std::string WithoutLineEnds(std::string bytes) {
  std::erase(bytes, '\r');
  std::erase(bytes, '\n');
  return bytes;
}

// The bytes with line `line` (0-based, CR LF ended) replaced.
std::string ReplaceLine(const std::string& bytes, std::size_t line, const std::string& with) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < line; ++i) at = bytes.find("\r\n", at) + 2;
  const std::size_t end = bytes.find("\r\n", at);
  return bytes.substr(0, at) + with + bytes.substr(end);
}

const char* const kEnv = "DATA/利用環境.WIN";
const char* const kMaterials = "DATA/DAT/材料物性.DAT";
const char* const kParts = "DATA/DAT/部位区分.DAT";
const char* const kSample = "CAL/KDR/TEST_KDR.KDR";

struct Damage {
  const char* name;
  std::function<void(const sfs::path& root)> apply;
  const char* said;  // part of what the user is told at start-up
  bool envKept = false;  // the environment file must stay as it is
  bool readOnly = false;
};

}  // namespace

class DamagedInstallationTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::TempFolder> root;

  sfs::path Root() const { return sfs::path(root->native()); }

  void CopyFactoryTree() {
    root = std::make_unique<test::TempFolder>();
    const sfs::path tree(KONDRA_INSTALL_TREE);
    for (const char* folder : {"DATA", "CAL", "WCD"})
      if (sfs::exists(tree / folder)) sfs::copy(tree / folder, Root() / folder, sfs::copy_options::recursive);
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(root->native() + "/cache"));
  }

 private slots:
  // Each case starts as a fresh program does: no calculation in memory.
  void init() {
    test::ResetEditing();
    ResetMessageState();
    CalcStore = RecordStore{};
    CalcPath.clear();
    ResetCalcState(Calc);
  }

  void startsAtOnceSaysWhatIsWrongAndChangesNothing_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(Cases().size()); ++i) QTest::newRow(Cases()[static_cast<std::size_t>(i)].name) << i;
  }
  void startsAtOnceSaysWhatIsWrongAndChangesNothing() {
    QFETCH(int, index);
    Damage damage = Cases()[static_cast<std::size_t>(index)];
    CopyFactoryTree();
    damage.apply(Root());
    // An administrator writes read-only files all the same: a whole installation.
    if (damage.readOnly && access((Root() / kEnv).c_str(), W_OK) == 0) damage = Cases().front();
    const Snapshot before = Take(Root());

    test::BoxAnswers boxes;
    QtFace().SetWaitFactor(1.0);  // the remarks wait as they do for a user
    QElapsedTimer clock;
    clock.start();
    auto* window = new TKDRForm;
    StartupOptions options;
    options.root = root->path();
    QVERIFY(StartMainWindow(*window, options));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const qint64 shown = clock.elapsed();
    QVERIFY2(shown < 2000, qPrintable(QString("the window took %1 ms").arg(shown)));
    QVERIFY2(boxes.boxes.empty(), "a box came before the window was painted");
    QTRY_VERIFY_WITH_TIMEOUT(!InStartupRemarks(), 2000);

    const QString said = boxes.Texts().join(" | ");
    if (damage.said) {
      QCOMPARE(boxes.boxes.size(), std::size_t{1});  // told once
      QVERIFY2(said.contains(QString::fromUtf8(damage.said)), qPrintable(said));
      // The box as the user sees it.
      std::unique_ptr<QMessageBox> box(QtMessageFace::MakeBox(boxes.boxes[0].text, 3, 1, window));
      box->show();
      (void)test::GrabPng(box.get(), QString("damaged-installation-box-%1").arg(index));
    } else {
      QVERIFY2(said.isEmpty(), qPrintable(said));
    }
    (void)test::GrabPng(window, QString("damaged-installation-%1").arg(index));

    window->SetCloseGuard([] { return true; });
    delete window;
    QtFace().SetWaitFactor(0.0);

    Snapshot after = Take(Root());
    Snapshot expected = before;
    // The environment file is written at every start, as the record of that
    // start, when it read cleanly and may be written.
    if (!damage.envKept) {
      after.erase(kEnv);
      expected.erase(kEnv);
    }
    for (const auto& [file, bytes] : expected)
      QVERIFY2(after.contains(file) && after[file] == bytes, qPrintable(QString::fromStdString(file + " changed")));
    for (const auto& [file, bytes] : after)
      QVERIFY2(expected.contains(file), qPrintable(QString::fromStdString(file + " was written")));
  }

 private:
  static const std::vector<Damage>& Cases() {
    static const std::vector<Damage> cases = {
        {"whole", [](const sfs::path&) {}, nullptr},
        {"sample without line ends",
         [](const sfs::path& r) { Write(r / kSample, WithoutLineEnds(Read(r / kSample))); }, "改行のないファイル"},
        {"sample empty", [](const sfs::path& r) { Write(r / kSample, ""); }, "TEST_KDR.KDR"},
        {"material file missing", [](const sfs::path& r) { sfs::remove(r / kMaterials); }, "〔材料物性.DAT〕が見つかりません"},
        {"material file empty", [](const sfs::path& r) { Write(r / kMaterials, ""); }, "〔材料物性.DAT〕が壊れています"},
        {"material widths of zeros",
         [](const sfs::path& r) {
           std::string zeros;
           for (int j = 0; j < 12; ++j) zeros += "     0";
           Write(r / kMaterials, ReplaceLine(Read(r / kMaterials), 1, zeros));
         },
         "2行目"},
        {"material count of 10",
         [](const sfs::path& r) {
           const std::string bytes = Read(r / kMaterials);
           const std::string first = bytes.substr(0, bytes.find("\r\n"));
           Write(r / kMaterials, ReplaceLine(bytes, 0, "    10" + first.substr(6)));
         },
         "行数は 10 ですが"},
        {"material garbage row",
         [](const sfs::path& r) { Write(r / kMaterials, ReplaceLine(Read(r / kMaterials), 3, std::string(200000, 'Z'))); },
         "4行目：長すぎます"},
        {"material file cut short",
         [](const sfs::path& r) {
           const std::string bytes = Read(r / kMaterials);
           Write(r / kMaterials, bytes.substr(0, bytes.size() / 2));
         },
         "〔材料物性.DAT〕が壊れています"},
        {"part classes counted 9999",
         [](const sfs::path& r) {
           const std::string bytes = Read(r / kParts);
           const std::string first = bytes.substr(0, bytes.find("\r\n"));
           Write(r / kParts, ReplaceLine(bytes, 0, "  9999" + first.substr(6)));
         },
         "〔部位区分.DAT〕が壊れています"},
        {"利用環境 empty", [](const sfs::path& r) { Write(r / kEnv, ""); }, "〔利用環境.WIN〕が壊れている", true},
        {"単位系 empty", [](const sfs::path& r) { Write(r / "DATA/DAT/単位系.DAT", ""); }, "単位系.DAT"},
        {"read-only installation",
         [](const sfs::path& r) {
           for (const auto& entry : sfs::recursive_directory_iterator(r / "DATA"))
             if (entry.is_regular_file())
               sfs::permissions(entry.path(), sfs::perms::owner_write | sfs::perms::group_write | sfs::perms::others_write,
                                sfs::perm_options::remove);
         },
         "利用環境.WIN", true, true},
    };
    return cases;
  }
};

QTEST_MAIN(DamagedInstallationTest)
#include "tst_DamagedInstallation.moc"
