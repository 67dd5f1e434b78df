#include "env/FileChanges.h"

#include <cerrno>

#include "env/FileSystem.h"
#include "env/Paths.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

using Reply = HeadlessInputFace::Reply;

class FileChangesTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    SetInputFace(&input);
    InpType = TInpType{};
  }
  void TearDown() override {
    SetInputFace(nullptr);
    SplitPath("");
    KondraTest::TearDown();
  }
  std::string Make(const std::string& name, const std::string& bytes = "x") {
    std::string path = temp.path() + name;
    test::WriteBytes(path, bytes);
    return path;
  }
  bool Present(const std::string& name) const { return fs::IsFile(temp.path() + name); }
  std::string StatusText() const { return face.AllStatusText(); }

  HeadlessInputFace input;
};

std::string NameWarning(const std::string& answer) {
  return "入力した文字列 ： " + answer + "\r\r文字列中に不正な文字〔*?\\\"<>|;/:.〕があります。";
}

// ---------------------------------------------------------------- the question

TEST_F(FileChangesTest, AskNamePartPutsTheQuestionAndFillsTheRecord) {
  input.replies.push_back(Reply::Typed("W1", true));
  EXPECT_EQ(AskNamePart("(新規)"), "W1");
  ASSERT_EQ(input.asked.size(), 1u);
  const TInpType& q = input.asked[0];
  EXPECT_EQ(q.Line1, "新しいファイルの名前部分の入力");
  EXPECT_EQ(q.Line2, "現在の名前は<(新規)>です。（拡張子不要）");
  EXPECT_EQ(q.Mode, 'E');
  EXPECT_EQ(q.Kind, 7);
  EXPECT_EQ(q.Count, 1);
  EXPECT_EQ(q.Value[1], "(新規)");
  EXPECT_EQ(q.Saved[1], "(新規)");
  EXPECT_EQ(InpType.Value[1], "W1");
  EXPECT_TRUE(MsgYes);
  EXPECT_FALSE(MsgCancel);
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(FileChangesTest, AskNamePartAnswers) {
  struct Case {
    const char* what;
    Reply reply;
    std::string result;
    bool yes;
    bool warned;
  } cases[] = {
      {"typed and accepted", Reply::Typed("外壁Ａ", true), "外壁Ａ", true, false},
      {"nothing typed keeps the name", Reply::Untouched(true), "W0", true, false},
      {"emptied box", Reply::Typed("", true), "(新規)", true, false},
      {"full stop refused", Reply::Typed("a.b", true), "W0", false, true},
      {"blank is allowed", Reply::Typed("壁 1", true), "壁 1", true, false},
      {"cancelled: answer given but not to be used", Reply::Typed("W2", false), "W2", false, false},
      {"cancelled with a forbidden character still warns", Reply::Typed("x/y", false), "W0", false, true},
  };
  for (const Case& c : cases) {
    face.Clear();
    input.replies.push_back(c.reply);
    EXPECT_EQ(AskNamePart("W0"), c.result) << c.what;
    EXPECT_EQ(MsgYes, c.yes) << c.what;
    ASSERT_EQ(face.boxes.size(), c.warned ? 1u : 0u) << c.what;
    if (c.warned) {
      EXPECT_EQ(face.boxes[0].text, NameWarning(c.reply.text)) << c.what;
      EXPECT_EQ(face.boxes[0].kind, 3);
      EXPECT_EQ(face.boxes[0].buttons, 1);
    }
  }
}

TEST_F(FileChangesTest, AskNamePartRefusesEachForbiddenCharacter) {
  for (char c : std::string("*?\\\"<>|;/:.")) {
    face.Clear();
    const std::string typed = std::string("ab") + c + "cd";
    input.replies.push_back(Reply::Typed(typed));
    EXPECT_EQ(AskNamePart("old"), "old") << typed;
    EXPECT_FALSE(MsgYes) << typed;
    ASSERT_EQ(face.boxes.size(), 1u) << typed;
    EXPECT_EQ(face.boxes[0].text, NameWarning(typed));
  }
}

TEST_F(FileChangesTest, UnansweredQuestionIsCancelled) {
  // Without a reply the question is cancelled: nothing may be created.
  EXPECT_EQ(AskNamePart("(新規)"), "(新規)");
  EXPECT_FALSE(MsgYes);
  EXPECT_TRUE(MsgCancel);
  EXPECT_EQ(InpType.Value[1], "(新規)");
}

TEST_F(FileChangesTest, CancelPutsTheSavedValuesBack) {
  InpType.Count = 2;
  InpType.Value = {"", "1.5", "2.5"};
  InpType.Saved = InpType.Value;
  input.replies.push_back(Reply::Typed("9", false));
  InputAnswer a = ShowInputDialog();
  EXPECT_FALSE(a.accepted);
  EXPECT_EQ(a.lastText, "9");
  EXPECT_EQ(InpType.Value[1], "1.5");
  EXPECT_FALSE(MsgYes);
  EXPECT_TRUE(MsgCancel);
}

TEST_F(FileChangesTest, DialogRules) {
  EXPECT_EQ(InputTitle(4), "実数入力");
  EXPECT_EQ(InputTitle(5), "整数入力");
  EXPECT_EQ(InputTitle(7), "文字入力");
  EXPECT_EQ(InputTitle(0), "文字入力");

  struct {
    std::string line1, line2;
    int width;
  } widths[] = {
      {std::string(20, 'a'), std::string(20, 'b'), 300},
      {std::string(60, 'a'), "", 400},
      {"", std::string(60, 'b'), 400},
      {"新しいファイルの名前部分の入力", "", 300},        // 30 bytes
      {std::string(15, 'x') + "全角文字全角文字全角文字全角文字全角文字全角文字全角文字全角文字全角文字全角文字", "",
       6 * 95 + 40},  // 15 + 40 characters of two bytes
  };
  for (const auto& w : widths) EXPECT_EQ(InputDialogWidth(w.line1, w.line2), w.width) << w.line1;

  struct {
    int kind;
    std::string text;
    bool accepted;
  } values[] = {
      {4, "-12.5", true}, {4, "+1 ", true},  {4, "1e3", false}, {4, "１", false}, {5, "-12", true},
      {5, "1.5", false},  {5, "abc", false}, {7, "a.b*", true}, {0, "何でも", true},
  };
  for (const auto& v : values)
    EXPECT_EQ(InputValueAccepted(v.kind, v.text), v.accepted) << v.kind << " " << v.text;
}

// ---------------------------------------------------------------- deleting

TEST_F(FileChangesTest, DeleteFileCheckedAsksAndActsOnTheAnswer) {
  struct Case {
    bool ask;
    MsgButton answer;
    bool deleted;
    bool cancel;
  } cases[] = {
      {false, MsgButton::Ok, true, false},
      {true, MsgButton::Yes, true, false},
      {true, MsgButton::No, false, true},
      {true, MsgButton::Cancel, false, true},
  };
  for (const Case& c : cases) {
    face.Clear();
    const std::string path = Make("W1.KDR");
    face.answers.push_back(c.answer);
    EXPECT_EQ(DeleteFileChecked(path, c.ask), c.deleted);
    EXPECT_EQ(Present("W1.KDR"), !c.deleted);
    EXPECT_EQ(MsgCancel, c.cancel);
    ASSERT_EQ(face.boxes.size(), c.ask ? 1u : 0u);
    if (c.ask) {
      EXPECT_EQ(face.boxes[0].text, "削除ファイル名 : " + path + "\r\rファイルを削除しますか？");
      EXPECT_EQ(face.boxes[0].kind, 2);
      EXPECT_EQ(face.boxes[0].buttons, 3);
    }
    face.answers.clear();
  }
}

TEST_F(FileChangesTest, DeleteFileCheckedLeavesPatternsAndMissingFilesAlone) {
  Make("a.EMF");
  Make("ab.EMF");
  for (const std::string& path : {temp.path() + "*.EMF", temp.path() + "a?.EMF", temp.path() + "none.EMF"}) {
    MsgCancel = true;
    EXPECT_FALSE(DeleteFileChecked(path, true)) << path;
    EXPECT_FALSE(MsgCancel) << path;
  }
  EXPECT_TRUE(face.boxes.empty());
  EXPECT_TRUE(Present("a.EMF"));
  EXPECT_TRUE(Present("ab.EMF"));
}

TEST_F(FileChangesTest, DeleteFileCheckedReportsAFailure) {
  const std::string path = Make("W1.KDR");
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::Remove ? EACCES : 0; });
  EXPECT_FALSE(DeleteFileChecked(path, false));
  fs::SetFaultHook(nullptr);
  EXPECT_TRUE(MsgCancel);
  EXPECT_TRUE(Present("W1.KDR"));
  ASSERT_FALSE(face.systemErrors.empty());
  EXPECT_NE(face.systemErrors.back().find(path), std::string::npos);
}

TEST_F(FileChangesTest, DeleteMatchingDeletesWhatTheUserAllows) {
  struct Case {
    bool ask;
    std::vector<MsgButton> answers;
    std::vector<bool> left;  // Kondra(0).EMF, Kondra(1).EMF, Kondra(2).EMF afterwards
  } cases[] = {
      {false, {}, {false, false, false}},
      {true, {MsgButton::Yes, MsgButton::No, MsgButton::Yes}, {false, true, false}},
      {true, {MsgButton::No, MsgButton::Cancel}, {true, true, true}},  // Cancel stops
  };
  for (const Case& c : cases) {
    face.Clear();
    for (int n = 0; n < 3; ++n) Make("Kondra(" + std::to_string(n) + ").EMF");
    Make("Kondra.TXT");
    face.answers.assign(c.answers.begin(), c.answers.end());
    DeleteMatching(temp.path().substr(0, temp.path().size() - 1), ".EMF", c.ask);
    for (int n = 0; n < 3; ++n)
      EXPECT_EQ(Present("Kondra(" + std::to_string(n) + ").EMF"), c.left[n]) << n;
    EXPECT_TRUE(Present("Kondra.TXT"));
    EXPECT_EQ(face.boxes.size(), c.answers.size());
    if (!face.boxes.empty()) {
      EXPECT_EQ(face.boxes[0].text, "削除ファイル名 : " + temp.path() + "Kondra(0).EMF\r\rファイルを削除しますか？");
    }
  }
}

// ---------------------------------------------------------------- renaming

TEST_F(FileChangesTest, RenameFileCheckedRenamesAfterConsent) {
  struct Case {
    bool ask;
    MsgButton answer;
    bool renamed;
  } cases[] = {
      {false, MsgButton::Ok, true},
      {true, MsgButton::Yes, true},
      {true, MsgButton::No, false},
      {true, MsgButton::Cancel, false},
  };
  for (const Case& c : cases) {
    face.Clear();
    fs::RemoveFile(temp.path() + "NEW.KDR");
    const std::string old = Make("OLD.KDR", "content");
    face.answers.push_back(c.answer);
    EXPECT_EQ(RenameFileChecked(old, "NEW.KDR", c.ask), c.renamed);
    EXPECT_EQ(MsgCancel, !c.renamed);
    EXPECT_EQ(Present("OLD.KDR"), !c.renamed);
    EXPECT_EQ(Present("NEW.KDR"), c.renamed);
    if (c.renamed) {
      EXPECT_EQ(test::ReadBytes(temp.path() + "NEW.KDR"), "content");
    }
    ASSERT_EQ(face.boxes.size(), c.ask ? 1u : 0u);
    if (c.ask) {
      EXPECT_EQ(face.boxes[0].text,
                "変更前 : " + old + "\r変更後 : " + temp.path() + "NEW.KDR\r\rファイル名を変更しますか？");
    }
    face.answers.clear();
  }
}

TEST_F(FileChangesTest, RenameFileCheckedRefusals) {
  const std::string old = Make("OLD.KDR");
  Make("TAKEN.KDR");
  struct Case {
    std::string from, to, status;
  } cases[] = {
      {old, "OLD.KDR", "まったく同じファイル名ですよ。（OLD.KDR）"},
      {old, "TAKEN.KDR", "既に同名のファイルがありますね。（TAKEN.KDR）"},
      {temp.path() + "GONE.KDR", "X.KDR", "が見つかりません。(ﾌｧｲﾙﾁｪｯｸ)"},
  };
  for (const Case& c : cases) {
    face.Clear();
    MsgCancel = true;
    EXPECT_FALSE(RenameFileChecked(c.from, c.to, true)) << c.to;
    EXPECT_FALSE(MsgCancel) << c.to;
    EXPECT_TRUE(face.boxes.empty()) << c.to;
    EXPECT_NE(StatusText().find(c.status), std::string::npos) << StatusText();
  }
  EXPECT_TRUE(Present("OLD.KDR"));
  EXPECT_TRUE(Present("TAKEN.KDR"));
}

TEST_F(FileChangesTest, RenameFileCheckedStaysInTheFolder) {
  const std::string old = Make("OLD.KDR");
  // A name given with a drive and folder keeps only its file name.
  EXPECT_TRUE(RenameFileChecked(old, "C:\\elsewhere\\MOVED.KDR", false));
  EXPECT_TRUE(Present("MOVED.KDR"));
  // A name that would make a path of its own is refused with the name check.
  face.Clear();
  EXPECT_FALSE(RenameFileChecked(temp.path() + "MOVED.KDR", "sub/X.KDR", false));
  EXPECT_TRUE(MsgCancel);
  EXPECT_TRUE(Present("MOVED.KDR"));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_NE(face.boxes[0].text.find("名前部分の中に不正な文字"), std::string::npos);
}

TEST_F(FileChangesTest, RenameFileCheckedReportsAFailure) {
  const std::string old = Make("OLD.KDR");
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::Rename ? EXDEV : 0; });
  EXPECT_FALSE(RenameFileChecked(old, "NEW.KDR", false));
  fs::SetFaultHook(nullptr);
  EXPECT_TRUE(MsgCancel);
  EXPECT_TRUE(Present("OLD.KDR"));
  EXPECT_FALSE(face.systemErrors.empty());
}

// ---------------------------------------------------------------- save as

TEST_F(FileChangesTest, ConfirmSaveAsConfirmsCreationOrOverwriting) {
  Make("TAKEN.KDR");
  struct Case {
    std::string name;
    MsgButton answer;
    std::string question;
    int kind;
    bool yes;
  } cases[] = {
      {"W1", MsgButton::Yes, "新しい入力ファイルとして保存しますか？", 2, true},
      {"W1", MsgButton::No, "新しい入力ファイルとして保存しますか？", 2, false},
      {"TAKEN", MsgButton::Yes, "既存入力ファイルに上書き保存してもいいですか？", 3, true},
      {"TAKEN", MsgButton::Cancel, "既存入力ファイルに上書き保存してもいいですか？", 3, false},
  };
  for (const Case& c : cases) {
    face.Clear();
    input.replies.push_back(Reply::Typed(c.name));
    face.answers.push_back(c.answer);
    EXPECT_EQ(ConfirmSaveAs(temp.path() + "current.kdr"), c.yes) << c.name;
    EXPECT_EQ(MsgYes, c.yes);
    const std::string newPath = temp.path() + c.name + ".KDR";
    EXPECT_EQ(CurPath, newPath);
    ASSERT_EQ(face.boxes.size(), 1u);
    EXPECT_EQ(face.boxes[0].text, "保存ファイル名 ： " + newPath + "\r\r" + c.question);
    EXPECT_EQ(face.boxes[0].kind, c.kind);
    EXPECT_EQ(face.boxes[0].buttons, 3);
    EXPECT_EQ(input.asked.back().Value[1], "(新規)");
  }
}

TEST_F(FileChangesTest, ConfirmSaveAsDoesNothingWithoutAName) {
  struct Case {
    Reply reply;
    size_t boxes;  // the forbidden-character warning only
  } cases[] = {
      {Reply::Typed("W1", false), 0},
      {Reply::Typed("W:1", true), 1},
      {Reply::Typed("W.1", false), 1},
  };
  for (const Case& c : cases) {
    face.Clear();
    input.replies.push_back(c.reply);
    EXPECT_FALSE(ConfirmSaveAs(temp.path() + "current.KDR")) << c.reply.text;
    EXPECT_FALSE(MsgYes);
    EXPECT_EQ(face.boxes.size(), c.boxes) << c.reply.text;
  }
  EXPECT_FALSE(Present("W1.KDR"));
}

TEST_F(FileChangesTest, ConfirmSaveAsChecksTheWholePath) {
  // A folder the name check refuses is reported and nothing is confirmed.
  input.replies.push_back(Reply::Typed("W1", true));
  EXPECT_FALSE(ConfirmSaveAs(temp.path() + "a;b\\current.KDR"));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_NE(face.boxes[0].text.find("ディレクトリ名の中に不正な文字"), std::string::npos);
}

// ---------------------------------------------------------------- calculation name as file name

TEST_F(FileChangesTest, ApplyCalcNameAsFileName) {
  struct Case {
    const char* what;
    NameCheckBox box;
    std::string name;
    std::vector<MsgButton> answers;
    bool renamed;
    std::vector<std::string> boxTexts;  // starts of the boxes shown
  } cases[] = {
      {"unchecked", {true, false}, "外壁", {}, false, {}},
      {"disabled", {false, true}, "外壁", {}, false, {}},
      {"declined", {true, true}, "外壁", {MsgButton::No}, false, {"計算名とファイル名 ： 外壁"}},
      {"taken", {true, true}, "TAKEN", {MsgButton::Yes}, false,
       {"計算名とファイル名 ： TAKEN", "既に同名のファイルがあるので、共通にはできません。"}},
      {"not a file name", {true, true}, "1/2", {MsgButton::Yes}, false,
       {"計算名とファイル名 ： 1/2", "ファイル名 ： 1/2.KDR"}},
      {"agreed", {true, true}, "外壁", {MsgButton::Yes}, true,
       {"計算名とファイル名 ： 外壁\r\rこの計算名をファイル名と＜共通＞にしますか？", "計算名とファイル名を共通にしました。"}},
  };
  for (Case& c : cases) {
    face.Clear();
    fs::RemoveFile(temp.path() + "外壁.KDR");
    const std::string old = Make("W1.KDR", "calc");
    Make("TAKEN.KDR", "other");
    face.answers.assign(c.answers.begin(), c.answers.end());
    const std::string result = ApplyCalcNameAsFileName(c.box, old, c.name);
    const std::string renamed = temp.path() + "外壁.KDR";
    EXPECT_EQ(result, c.renamed ? renamed : old) << c.what;
    EXPECT_EQ(MsgYes, c.renamed) << c.what;
    EXPECT_EQ(c.box.checked, c.renamed) << c.what;
    EXPECT_EQ(Present("W1.KDR"), !c.renamed) << c.what;
    EXPECT_EQ(test::ReadBytes(temp.path() + "TAKEN.KDR"), "other") << c.what;
    if (c.renamed) {
      EXPECT_EQ(test::ReadBytes(renamed), "calc");
    }
    ASSERT_EQ(face.boxes.size(), c.boxTexts.size()) << c.what;
    for (size_t i = 0; i < c.boxTexts.size(); ++i)
      EXPECT_EQ(face.boxes[i].text.rfind(c.boxTexts[i], 0), 0u) << c.what << ": " << face.boxes[i].text;
  }
}

}  // namespace
}  // namespace kondra
