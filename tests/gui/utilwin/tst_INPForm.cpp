// The input dialog as a user meets it: the question shown, typing a value,
// 確定 and 中止, values a number may not hold, and the name question of a new
// file asked through the program's input face.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>
#include <memory>

#include "controls/EditEx.h"
#include "env/EditState.h"
#include "env/FileChanges.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "gui/support/GuiTest.h"
#include "support/TestEnv.h"
#include "utilwin/INPForm.h"

using namespace kondra;

namespace {

template <class T>
T* Child(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(name);
  if (!c) qFatal("no %s", name);
  return c;
}

void Ask(const std::string& line1, const std::string& line2, int kind, int count, const std::string& v1,
         const std::string& v2 = std::string()) {
  InpType = TInpType{};
  InpType.Line1 = line1;
  InpType.Line2 = line2;
  InpType.Kind = kind;
  InpType.Count = count;
  InpType.Value = {"", v1, v2};
  InpType.Saved = InpType.Value;
}

// Runs `act` on the input dialog once it stands (it is modal).
void OnDialog(std::function<void(TINPForm*)> act) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [=] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<TINPForm*>(w); d && d->isVisible() && d->windowHandle() && d->windowHandle()->isExposed()) {
        act(d);
        return;
      }
    QTimer::singleShot(10, *attempt);
  };
  QTimer::singleShot(0, *attempt);
}

// Puts text into a box as a user does: click, select all, type.
void TypeInto(TEditEx* box, const QString& text) {
  test::ClickWidget(box);
  box->selectAll();
  test::TypeText(box, text);
}

}  // namespace

class TestINPForm : public QObject {
  Q_OBJECT

  std::unique_ptr<test::BoxAnswers> answers;
  std::unique_ptr<TINPForm> dialog;
  QStatusBar bar;

  TEditEx* Box(int n) { return Child<TEditEx>(dialog.get(), n == 1 ? "EDIT1_1" : "EDIT1_2"); }
  QPushButton* Ok() { return Child<QPushButton>(dialog.get(), "BTN1_1"); }
  QPushButton* Cancel() { return Child<QPushButton>(dialog.get(), "BTN1_2"); }
  void Open() {
    dialog = std::make_unique<TINPForm>();
    QVERIFY(test::ShowActive(dialog.get()));
  }

 private slots:
  void init() {
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    test::ResetEditing();
  }
  void cleanup() {
    dialog.reset();
    answers.reset();
    SetInputFace(nullptr);
  }

  void showsTheQuestion() {
    Ask("一行目の説明", "二行目の説明", 7, 1, "(新規)");
    Open();
    QCOMPARE(dialog->objectName(), QString("INPForm"));
    QCOMPARE(dialog->windowTitle(), QString("文字入力"));
    QCOMPARE(Child<QLabel>(dialog.get(), "LBL1")->text(), QString("一行目の説明"));
    QCOMPARE(Child<QLabel>(dialog.get(), "LBL2")->text(), QString("二行目の説明"));
    QCOMPARE(Box(1)->text(), QString("(新規)"));
    QCOMPARE(Box(1)->width(), 201);
    QVERIFY(!Box(2)->isVisible());
    QVERIFY(!Child<QLabel>(dialog.get(), "LBL1_1")->isVisible());
    QCOMPARE(Ok()->text(), QString("確定(&Y)"));
    QCOMPARE(Cancel()->text(), QString("中止(&C)"));
    // The pointer and the focus wait on 確定.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Ok()));
    QCOMPARE(dialog->width(), 292);
    QVERIFY(!test::GrabPng(dialog.get(), "TINPForm-name").isEmpty());
  }

  void widthFollowsTheLongerLine() {
    struct {
      std::string line1, line2;
      int width;
    } cases[] = {
        {std::string(20, 'a'), std::string(20, 'b'), 292},
        {std::string(60, 'a'), "短い", 392},
        {"短い", "六十バイトの説明六十バイトの説明六十バイトの説明六十バイトの", 392},
    };
    for (const auto& c : cases) {
      Ask(c.line1, c.line2, 7, 1, "x");
      Open();
      QCOMPARE(dialog->width(), c.width);
      // The explanation is shown whole.
      QVERIFY(Child<QLabel>(dialog.get(), "LBL2")->geometry().right() < dialog->width());
    }
  }

  void typedNameIsStoredByLeavingTheBox() {
    Ask("l1", "l2", 7, 1, "old");
    Open();
    TypeInto(Box(1), "外壁A");
    // 確定 without Enter: leaving the box commits what was typed.
    test::ClickWidget(Ok());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(MsgYes);
    QVERIFY(!MsgCancel);
    QCOMPARE(InpType.Value[1], std::string("外壁A"));
    QCOMPARE(dialog->LastText(), std::string("外壁A"));
  }

  void enterCommitsAndLeavesTheDialogOpen() {
    Ask("l1", "l2", 7, 1, "old");
    Open();
    TypeInto(Box(1), "new");
    test::PressKey(Box(1), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(InpType.Value[1], std::string("new"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Ok()));
    test::PressKey(Ok(), Qt::Key_Space);
    QVERIFY(!dialog->isVisible());
    QVERIFY(MsgYes);
  }

  void escapeInTheBoxRestoresIt() {
    Ask("l1", "l2", 7, 1, "old");
    Open();
    TypeInto(Box(1), "typo");
    test::PressKey(Box(1), Qt::Key_Escape);
    QCOMPARE(Box(1)->text(), QString("old"));
    QCOMPARE(InpType.Value[1], std::string("old"));
  }

  void cancelPutsTheValuesBack() {
    Ask("l1", "l2", 7, 1, "old");
    Open();
    TypeInto(Box(1), "W2");
    test::PressKey(Box(1), Qt::Key_Return);
    QCOMPARE(InpType.Value[1], std::string("W2"));
    test::ClickWidget(Cancel());
    QVERIFY(!dialog->isVisible());
    QVERIFY(!MsgYes);
    QVERIFY(MsgCancel);
    QCOMPARE(InpType.Value[1], std::string("old"));
    // What was typed is still known to the caller.
    QCOMPARE(dialog->LastText(), std::string("W2"));
  }

  void closeBoxCancels() {
    Ask("l1", "l2", 7, 1, "old");
    Open();
    TypeInto(Box(1), "W3");
    dialog->close();
    QVERIFY(!MsgYes);
    QVERIFY(MsgCancel);
    QCOMPARE(InpType.Value[1], std::string("old"));
  }

  void numbersRefuseOtherCharacters() {
    struct {
      int kind;
      QString typed;
      std::string stored;
    } cases[] = {
        {4, "-2.75", "-2.75"}, {4, "2,5", "1.5"}, {4, "1e3", "1.5"},
        {5, "+12", "+12"},     {5, "1.5", "1.5"}, {7, "a.b*", "a.b*"},
    };
    for (const auto& c : cases) {
      Ask("l1", "l2", c.kind, 2, "1.5", "8");
      Open();
      QCOMPARE(dialog->windowTitle(), QString(c.kind == 4 ? "実数入力" : c.kind == 5 ? "整数入力" : "文字入力"));
      QVERIFY(Box(2)->isVisible());
      QCOMPARE(Box(1)->width(), 73);
      if (c.kind == 4) QVERIFY(!test::GrabPng(dialog.get(), "TINPForm-two").isEmpty());
      TypeInto(Box(1), c.typed);
      test::PressKey(Box(1), Qt::Key_Return);
      QCOMPARE(InpType.Value[1], c.stored);
      QCOMPARE(Box(1)->text().toStdString(), c.stored);
      QCOMPARE(InpType.Value[2], std::string("8"));
    }
    // The second box stores into the second value.
    TypeInto(Box(2), "9");
    test::ClickWidget(Ok());
    QCOMPARE(InpType.Value[2], std::string("9"));
    QVERIFY(MsgYes);
  }

  void callersEditStateComesBack() {
    Edit.itemCode = 2105;
    Edit.groupCode = 21;
    Ask("l1", "l2", 7, 1, "old");
    Open();
    TypeInto(Box(1), "x");
    test::ClickWidget(Ok());
    QCOMPARE(Edit.itemCode, 2105);
    QCOMPARE(Edit.groupCode, 21);
  }

  void askNamePartThroughTheDialog() {
    InstallQtInputFace();
    struct {
      QString typed;
      bool ok;
      std::string result;
      bool yes;
      int warnings;
    } cases[] = {
        {"W1", true, "W1", true, 0},
        {"", true, "(新規)", true, 0},
        {"a.b", true, "(新規)", false, 1},
        {"W2", false, "W2", false, 0},
        {"x:y", false, "(新規)", false, 1},
    };
    for (const auto& c : cases) {
      answers->boxes.clear();
      QString title, line2;
      OnDialog([&](TINPForm* d) {
        title = d->windowTitle();
        line2 = Child<QLabel>(d, "LBL2")->text();
        TEditEx* box = Child<TEditEx>(d, "EDIT1_1");
        TypeInto(box, c.typed);
        if (c.typed.isEmpty()) test::PressKey(box, Qt::Key_Backspace);
        test::ClickWidget(Child<QPushButton>(d, c.ok ? "BTN1_1" : "BTN1_2"));
      });
      const std::string result = AskNamePart("(新規)");
      QCOMPARE(title, QString("文字入力"));
      QCOMPARE(line2, QString("現在の名前は<(新規)>です。（拡張子不要）"));
      QCOMPARE(result, c.result);
      QCOMPARE(MsgYes, c.yes);
      QCOMPARE(int(answers->boxes.size()), c.warnings);
      if (c.warnings)
        QVERIFY(answers->Texts()[0].contains("文字列中に不正な文字〔*?\\\"<>|;/:.〕があります。"));
    }
  }

  void confirmSaveAsThroughTheDialog() {
    InstallQtInputFace();
    test::TempFolder temp;
    OnDialog([](TINPForm* d) {
      TypeInto(Child<TEditEx>(d, "EDIT1_1"), "W1");
      test::ClickWidget(Child<QPushButton>(d, "BTN1_1"));
    });
    QVERIFY(ConfirmSaveAs(temp.path() + "(新規).KDR"));
    QCOMPARE(CurPath, temp.path() + "W1.KDR");
    QCOMPARE(answers->Texts().last(),
             QString::fromStdString("保存ファイル名 ： " + temp.path() + "W1.KDR\n\n新しい入力ファイルとして保存しますか？")
                 .replace('\n', '\r'));
  }
};

QTEST_MAIN(TestINPForm)
#include "tst_INPForm.moc"
