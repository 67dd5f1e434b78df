#include "env/Messages.h"

#include "env/EditState.h"
#include "env/Folders.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class MessagesTest : public test::KondraTest {
 protected:
  void TearDown() override {
    EnvRow = {};
    DatDir.clear();
    KondraTest::TearDown();
  }
};

TEST_F(MessagesTest, BoxKindsButtonsAndAnswerFlags) {
  struct Case {
    int kind, buttons;
    MsgButton answer;
    int expectKind, expectButtons, msgAnswer;
    bool yes, cancel;
  } cases[] = {
      {7, 9, MsgButton::Ok, 1, 1, 1, true, false},  // unknown kind and set: information, OK
      {2, 2, MsgButton::No, 2, 2, 2, false, false},
      {2, 3, MsgButton::Cancel, 2, 3, 3, false, true},
      {4, 4, MsgButton::Retry, 4, 4, 3, false, true},
      {3, 5, MsgButton::Abort, 3, 5, 3, false, true},
      {2, 3, MsgButton::Yes, 2, 3, 1, true, false},
  };
  for (const auto& c : cases) {
    face.answers.push_back(c.answer);
    MsgBox("text", c.kind, c.buttons);
    ASSERT_FALSE(face.boxes.empty());
    EXPECT_EQ(face.boxes.back().kind, c.expectKind);
    EXPECT_EQ(face.boxes.back().buttons, c.expectButtons);
    EXPECT_EQ(MsgAnswer, c.msgAnswer);
    EXPECT_EQ(MsgYes, c.yes);
    EXPECT_EQ(MsgCancel, c.cancel);
  }
  EXPECT_EQ(LastMessageText, "text");
}

TEST_F(MessagesTest, BoxesBeepForWarningsErrorsAndQuittingQuestions) {
  MsgBox("a", 1, 1);
  MsgBox("b", 2, 2);
  EXPECT_EQ(face.beeps, 0);
  MsgBox("全て終了しますか？", 2, 2);
  MsgBox("c", 3, 1);
  MsgBox("d", 4, 1);
  EXPECT_EQ(face.beeps, 3);
}

TEST_F(MessagesTest, PointerGoesNearTheDefaultButton) {
  MsgBox("one\rtwo\rthree", 2, 3);
  EXPECT_EQ(face.pointerX, 1024 / 2 + 174);
  EXPECT_EQ(face.pointerY, 768 / 2 + 36);
  int dx, dy;
  BoxPointerOffset("x", 2, dx, dy);
  EXPECT_EQ(dx, 215);
  EXPECT_EQ(dy, 34);
  EnvRow[3] = "WindowsVista";
  BoxPointerOffset("x", 2, dx, dy);
  EXPECT_EQ(dx, 210);
  EXPECT_EQ(dy, 37);
}

TEST_F(MessagesTest, BoxKeepsTheEditInProgress) {
  Edit.itemCode = 2102;
  Edit.newValue = 0.1;  // comes back as its single-precision rounding
  Edit.newText = "0.1";
  Edit.editing = true;
  face.answers.push_back(MsgButton::Ok);
  struct Meddler : HeadlessFace {
    MsgButton ShowBox(const std::string&, int, int) override {
      Edit = EditState{};
      return MsgButton::Ok;
    }
  } meddler;
  SetMessageFace(&meddler);
  MsgBox("x", 1, 1);
  EXPECT_EQ(Edit.itemCode, 2102);
  EXPECT_EQ(Edit.newText, "0.1");
  EXPECT_TRUE(Edit.editing);
  EXPECT_EQ(Edit.newValue, static_cast<double>(0.1f));
}

TEST_F(MessagesTest, StatusPanelsFollowTheEditState) {
  StatusFileName = "TEST_KDR.KDR";
  ShowStatus("入力してください");
  EXPECT_EQ(face.panels[0], "　△ 入力してください");
  EXPECT_EQ(face.panels[1], "変更なし");
  EXPECT_EQ(face.panels[2], "");
  EXPECT_EQ(face.panels[3], "TEST_KDR.KDR");
  EXPECT_EQ(LastStatusText, "入力してください");

  Edit.editing = true;
  Edit.itemCode = 1101;
  Edit.overwrite = true;
  ShowStatus("計算名");
  EXPECT_EQ(face.panels[0], "　▲ 計算名");
  EXPECT_EQ(face.panels[1], "入力№1101");
  EXPECT_EQ(face.panels[2], "上書モード");
  DataModified = true;
  Edit.itemCode = 0;
  ShowStatus("x");
  EXPECT_EQ(face.panels[1], "変更あり");

  ShowStatus("終了します．．．");  // switches editing off before the mark is chosen
  EXPECT_FALSE(Edit.editing);
  EXPECT_EQ(face.panels[0], "　△ 終了します．．．");
  EXPECT_EQ(LastStatusText, "x");

  StatusFileName = "一二三四五六七八九十一二.KDR";
  ShowStatus();
  EXPECT_EQ(face.panels[0], "　");
  EXPECT_EQ(face.panels[3], "一二三四五六七八九十...");
}

TEST_F(MessagesTest, StatusMessageMarksWaitsAndRestores) {
  ShowStatus("普通の表示");
  struct Case {
    std::string text;
    int ms;
    std::string shown;
  } cases[] = {
      {"短い", 3000, "　※短い"},
      {"※既に印あり", 3000, "　※既に印あり"},
      {std::string(31, 'a'), 3500, "　※" + std::string(31, 'a')},
      {std::string(61, 'a'), 4000, "　※" + std::string(61, 'a')},
      {std::string(71, 'a'), 5000, "　※" + std::string(71, 'a')},
  };
  for (const auto& c : cases) {
    face.statusHistory.clear();
    face.waits.clear();
    StatusMsg(c.text);
    ASSERT_EQ(face.waits.size(), 1u);
    EXPECT_EQ(face.waits[0], c.ms) << c.text;
    ASSERT_EQ(face.statusHistory.size(), 3u);
    EXPECT_EQ(face.statusHistory[1][0], c.shown);
    EXPECT_EQ(face.panels[0], "　△ 普通の表示");
    EXPECT_EQ(LastStatusMsg, c.text);
  }
}

TEST_F(MessagesTest, TheStartUpKeepsRemarksAndInformingBoxesWithoutWaiting) {
  face.statusBar = false;  // the window is not up yet
  BeginStartupRemarks();
  EXPECT_TRUE(InStartupRemarks());
  StatusMsg("〔材料物性.DAT〕が見つかりません。");
  StatusMsg("〔材料物性.DAT〕が見つかりません。");
  MsgBox("読めないファイルです。", 3, 1);
  face.answers = {MsgButton::No};
  MsgBox("保存しますか？", 2, 3);  // a question is still asked
  EXPECT_FALSE(MsgYes);
  StatusMsg("1番目の材料〔合板〕は材料登録されていませんね。");
  EXPECT_TRUE(face.waits.empty());
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "保存しますか？");
  const std::vector<std::string> kept = EndStartupRemarks();
  EXPECT_EQ(kept, (std::vector<std::string>{"〔材料物性.DAT〕が見つかりません。", "読めないファイルです。",
                                            "1番目の材料〔合板〕は材料登録されていませんね。"}));
  EXPECT_FALSE(InStartupRemarks());
  // Afterwards remarks wait again and boxes are shown.
  face.statusBar = true;
  StatusMsg("後の注意");
  MsgBox("後の箱", 1, 1);
  EXPECT_EQ(face.waits.size(), 1u);
  EXPECT_EQ(face.boxes.size(), 2u);
  EXPECT_TRUE(EndStartupRemarks().empty());
}

TEST_F(MessagesTest, NothingReachesAMissingStatusBar) {
  face.statusBar = false;
  StatusMsg("x");
  ShowStatus("y");
  EXPECT_TRUE(face.statusHistory.empty());
  EXPECT_TRUE(face.waits.empty());
}

TEST_F(MessagesTest, NumberedErrorsComeFromTheErrorFile) {
  DatDir = temp.path();
  test::WriteCp932(DatDir + "エラー文.DAT",
                   "500 そのまま表示します。\r\n"
                   "511 読み取り専用のファイルには書き込めません。\r\n"
                   " 52 短い番号\r\n"
                   "600\r\n"
                   "700     \r\n");
  struct Case {
    int number;
    std::string shown;
  } cases[] = {
      {500, "　※そのまま表示します。"},
      {511, "　※読み取り専用のファイルには書き込めません。 （ERRno=511）"},
      {52, "　※短い番号 （ERRno=52）"},
      {999, "　※登録されていないエラーが発生しました。 （ERRno=?）"},
      {600, "　※登録されていないエラーが発生しました。 （ERRno=?）"},  // a number without a text
      {700, "　※登録されていないエラーが発生しました。 （ERRno=?）"},
  };
  for (const auto& c : cases) {
    face.statusHistory.clear();
    ErrorMsg(c.number);
    ASSERT_GE(face.statusHistory.size(), 2u);
    EXPECT_EQ(face.statusHistory[1][0], c.shown);
    EXPECT_EQ(ErrorNo, c.number);
  }
}

TEST_F(MessagesTest, MissingErrorFileIsAnUnexpectedError) {
  DatDir = temp.path();
  ErrorMsg(511);
  ASSERT_EQ(face.systemErrors.size(), 1u);
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].kind, 4);
  EXPECT_NE(LastErrorText.find("エラーが発生しました。（システム）"), std::string::npos);
}

TEST_F(MessagesTest, SayingsComeFromFixedRecords) {
  DatDir = temp.path();
  EnvRow[21] = "都々逸.DAT";
  std::string record(81, ' ');
  std::string text = "\x82\xA0";  // one CP932 character
  record[0] = static_cast<char>(text.size());
  record.replace(1, text.size(), text);
  test::WriteBytes(DatDir + "都々逸.DAT", record);
  ShowSaying();
  EXPECT_EQ(face.panels[0], "　♪  (ﾟ_ﾟ)  あ  (^_^;)");

  EnvRow[21] = "ない.DAT";
  ShowSaying();
  EXPECT_EQ(face.panels[0], "　△ ここは一番、どどいつ（都々逸）でも歌いたいところですが．．．");
  EXPECT_EQ(EnvRow[21], "都々逸.DAT");
}

}  // namespace
}  // namespace kondra
