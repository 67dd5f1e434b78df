// The editing protocol as a user meets it: a small window with standing
// fields, a scrolling grid with a cell edit box and a cell combo box, and a
// commit routine that records what reaches it.
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>
#include <vector>

#include "controls/EditProtocol.h"
#include "controls/ListHelpers.h"
#include "controls/PlrBtn.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "gui/support/GuiTest.h"

using namespace kondra;

namespace {

struct Commit {
  QString sender;
  int group, row, column, item;
  std::string newText;
  double newValue;
  int newIndex;
};

class TestForm : public QWidget, public TEditHost {
 public:
  TestForm() {
    setObjectName("TESTForm");
    setWindowTitle("入力テスト");
    resize(420, 330);
    auto* title = new QLabel("表題", this);
    title->setGeometry(8, 8, 40, 18);
    EDIT1_1 = MakeField("EDIT1_1", 1101, TEditEx::etString, 56, 8, 160);
    EDIT1_1->setMaxLength(20);
    EDIT1_2 = MakeField("EDIT1_2", 1102, TEditEx::etFloat, 224, 8, 60);
    EDIT1_2->setMaxLength(6);
    EDIT1_2->setUnderPoint(1);
    EDIT1_3 = MakeField("EDIT1_3", 1103, TEditEx::etInteger, 292, 8, 60);

    STRG2_1 = new TStrGridEx(this);
    STRG2_1->setObjectName("STRG2_1");
    STRG2_1->setTag(2100);
    STRG2_1->setGeometry(8, 40, 260, 130);
    STRG2_1->setColCount(6);
    STRG2_1->setRowCount(12);
    STRG2_1->setColWidths("30 100 70 70 70 70");
    STRG2_1->setColTitles({" №", " 材料名", " 厚さ", " λ", " r", " p"});
    QStringList rows{" №"};
    for (int r = 1; r < 12; ++r) rows << QString("%1").arg(r, 3);
    STRG2_1->setRowTitles(rows);
    connect(STRG2_1, &TStrGridEx::CellClicked, [this](int col, int row) { OnCellClicked(col, row); });
    connect(STRG2_1, &TStrGridEx::DrawCell, [this](QPainter*, int col, int row, const QRect& rect, int state) {
      DrawSelectedCellPlain(STRG2_1, col, row, state, rect);
    });

    EDIT2_1 = new TEditEx(this);
    EDIT2_1->setObjectName("EDIT2_1");
    EDIT2_1->setMaxLength(8);
    CBOX2_1 = new TCBoxEx(this);
    CBOX2_1->setObjectName("CBOX2_1");
    std::vector<std::string> names{"", "α外側", "合板", "グラスウール", "ｺﾝｸﾘｰﾄ"};
    LoadNumberedList(CBOX2_1, names, 1, true, 4);

    OtherButton = new QPushButton("他へ", this);
    OtherButton->setGeometry(290, 40, 80, 24);
    Pelora = new TPeloraButton(this);
    Pelora->setText("計算(&C)");
    Pelora->setGeometry(290, 80, 90, 28);
    PeloraOff = new TPeloraButton(this);
    PeloraOff->setCaptionLines({"印刷", "プレビュー"});
    PeloraOff->setGeometry(290, 116, 90, 40);
    PeloraOff->setEnabled(false);

    SBAR = new QStatusBar(this);
    SBAR->setGeometry(0, 306, 420, 24);
  }

  TEditEx* MakeField(const char* name, int tag, TEditEx::Kind kind, int x, int y, int w) {
    auto* e = new TEditEx(this);
    e->setObjectName(name);
    e->setTag(tag);
    e->setEditType(kind);
    e->setCellFrame(false);
    e->setGeometry(x, y, w, 20);
    return e;
  }

  void OnCellClicked(int col, int row) {
    if (col == 0 || col > 3) return;
    PrepareCellEdit(STRG2_1, col, row);
    SetItemCode(STRG2_1, ItemMode::Column, 1);
    if (col == 1)
      OpenCellCombo(CBOX2_1, csDropDownList, false);
    else
      OpenCellEdit(EDIT2_1, TEditEx::etFloat, 0, 0, 1);
    ShowItemHint(Edit.itemCode);
  }

  void CommitItem(QWidget* sender, int group, int row, int column) override {
    if (Edit.commitGuard) return;
    Edit.commitGuard = true;
    if (refuse) {
      MsgBox("※この値は使えません。", 3, 1);
      if (auto* combo = qobject_cast<TCBoxEx*>(sender))
        RevertCombo(combo);
      else
        RevertEdit(qobject_cast<TEditEx*>(sender));
      return;
    }
    commits.push_back({sender->objectName(), group, row, column, Edit.itemCode, Edit.newText, Edit.newValue,
                       Edit.newIndex});
    DataModified = true;
  }

  QString ItemHint(int itemCode) const override { return QString("項目%1の説明です。").arg(itemCode); }
  // Like the material editor: only Enter ends an edit from the keys.
  bool EndsEditOnKey(int lastKey) const override {
    return enterOnly ? lastKey == kKeyEnter : TEditHost::EndsEditOnKey(lastKey);
  }

  TEditEx *EDIT1_1, *EDIT1_2, *EDIT1_3, *EDIT2_1;
  TCBoxEx* CBOX2_1;
  TStrGridEx* STRG2_1;
  QPushButton* OtherButton;
  TPeloraButton *Pelora, *PeloraOff;
  QStatusBar* SBAR;
  std::vector<Commit> commits;
  bool refuse = false;
  bool enterOnly = false;
};

}  // namespace

class EditProtocolTest : public QObject {
  Q_OBJECT

 private:
  TestForm* form = nullptr;
  test::BoxAnswers* boxes = nullptr;

 private slots:
  void init() {
    test::ResetEditing();
    boxes = new test::BoxAnswers;
    form = new TestForm;
    QtFace().AttachStatusBar(form->SBAR);
    QVERIFY(test::ShowActive(form));
    form->EDIT1_2->setText("1.0");
    form->STRG2_1->SetCells(1, 1, "合板");
    form->STRG2_1->SetCells(2, 1, "   3.0");
    form->STRG2_1->SetCells(2, 2, "12.0");
  }

  void cleanup() {
    delete form;
    delete boxes;
    form = nullptr;
    boxes = nullptr;
  }

  void enterWithTheSameFloatIsNoChange() {
    test::ClickWidget(form->EDIT1_2);
    QVERIFY(Edit.editing);
    QCOMPARE(Edit.itemCode, 1102);
    QCOMPARE(form->EDIT1_2->selectedText(), QString("1.0"));  // typing replaces it
    test::TypeText(form->EDIT1_2, "1.00");
    test::PressKey(form->EDIT1_2, Qt::Key_Return);
    QVERIFY(form->commits.empty());
    QCOMPARE(form->EDIT1_2->text(), QString("1.0"));
    QVERIFY(Edit.unchanged);
    QVERIFY(!Edit.editing);
  }

  void enterOverAnEmptyStartIsAChange() {
    test::ClickWidget(form->EDIT1_3);
    test::PressKey(form->EDIT1_3, Qt::Key_Return);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].item, 1103);
    QCOMPARE(form->commits[0].group, 11);
  }

  void typedValueIsNormalisedAndCommitted() {
    test::ClickWidget(form->EDIT1_2);
    test::TypeText(form->EDIT1_2, "1+2*3");  // not calculable: read as far as it is a number
    test::PressKey(form->EDIT1_2, Qt::Key_Return);
    QCOMPARE(form->EDIT1_2->text(), QString("1.0"));
    QVERIFY(form->commits.empty());  // read as 1: the same value as before

    form->EDIT1_2->setCalcuable(true);
    test::ClickWidget(form->EDIT1_2);
    test::TypeText(form->EDIT1_2, "1+2*3");
    test::PressKey(form->EDIT1_2, Qt::Key_Tab);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newText, std::string("   9.0"));
    QCOMPARE(form->commits[0].newValue, 9.0);
    QCOMPARE(form->EDIT1_2->text(), QString("   9.0"));
    QVERIFY(!form->EDIT1_2->hasFocus());  // Tab went on to the next field
    QVERIFY(form->EDIT1_3->hasFocus());
    QCOMPARE(Edit.itemCode, 1103);
  }

  void leavingAfterTypingCommitsAfterAnArrowCancels() {
    test::ClickWidget(form->EDIT1_2);
    test::TypeText(form->EDIT1_2, "2.5");
    test::ClickWidget(form->OtherButton);  // leaving with the mouse
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newValue, 2.5);
    QCOMPARE(form->EDIT1_2->text(), QString("   2.5"));

    test::ClickWidget(form->EDIT1_2);
    test::PressKey(form->EDIT1_2, Qt::Key_Right);
    test::ClickWidget(form->OtherButton);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->EDIT1_2->text(), QString("   2.5"));
    QVERIFY(Edit.unchanged);

    // Typing, then an arrow, then leaving: what was typed counts.
    test::ClickWidget(form->EDIT1_2);
    test::TypeText(form->EDIT1_2, "4");
    test::PressKey(form->EDIT1_2, Qt::Key_Left);
    test::ClickWidget(form->OtherButton);
    QCOMPARE(form->commits.size(), size_t(2));
    QCOMPARE(form->commits[1].newValue, 4.0);
  }

  void escapeRestoresTheStartText() {
    test::ClickWidget(form->EDIT1_1);
    test::TypeText(form->EDIT1_1, "新しい表題");
    QCOMPARE(form->EDIT1_1->text(), QString("新しい表題"));
    test::PressKey(form->EDIT1_1, Qt::Key_Escape);
    QCOMPARE(form->EDIT1_1->text(), QString());
    QVERIFY(form->commits.empty());
    QVERIFY(!Edit.editing);
  }

  void insertTogglesOverwrite() {
    form->EDIT1_1->setText("123");
    test::ClickWidget(form->EDIT1_1);
    QCOMPARE(boxes->Panel(0), QString("　▲ 項目1101の説明です。"));
    QCOMPARE(boxes->Panel(1), QString("入力№1101"));
    QCOMPARE(boxes->Panel(2), QString("挿入モード"));
    test::PressKey(form->EDIT1_1, Qt::Key_Home);
    test::PressKey(form->EDIT1_1, Qt::Key_Right);
    test::PressKey(form->EDIT1_1, Qt::Key_Insert);
    QVERIFY(Edit.overwrite);
    QCOMPARE(boxes->Panel(2), QString("上書モード"));
    test::TypeText(form->EDIT1_1, "3");
    QCOMPARE(form->EDIT1_1->text(), QString("133"));
    test::PressKey(form->EDIT1_1, Qt::Key_Insert);
    QCOMPARE(boxes->Panel(2), QString("挿入モード"));
    test::TypeText(form->EDIT1_1, "4");
    QCOMPARE(form->EDIT1_1->text(), QString("1343"));
  }

  void typingBeyondTheByteLimitIsRefused() {
    test::ClickWidget(form->EDIT1_1);
    test::TypeText(form->EDIT1_1, QString::fromUcs4(U"\U0001F600"));  // no Shift-JIS form
    QCOMPARE(form->EDIT1_1->text(), QString());
    test::TypeText(form->EDIT1_1, "あいうえおかきくけこさ");  // 22 bytes into a 20-byte field
    QCOMPARE(form->EDIT1_1->text(), QString("あいうえおかきくけこ"));
    test::TypeText(form->EDIT1_1, "a");
    QCOMPARE(form->EDIT1_1->text(), QString("あいうえおかきくけこ"));
  }

  void cellEditorSitsOverTheClickedCellOfAScrolledGrid() {
    TStrGridEx* grid = form->STRG2_1;
    grid->SetLeftCol(2);
    grid->SetTopRow(4);
    QCOMPARE(grid->LeftCol(), 2);
    QCOMPARE(grid->TopRow(), 4);
    // Fixed column 30 + line, then column 2 (the first visible) 70 + line.
    QCOMPARE(ColumnLeft(grid, 3), 31 + 71);
    QCOMPARE(ColumnLeft(grid, 1), 31);  // scrolled out: the end of the fixed columns
    QCOMPARE(RowTop(grid, 6), 19 + 2 * 19);

    grid->SetCells(3, 6, "0.041");
    test::ClickCell(grid, 3, 6);
    TEditEx* editor = form->EDIT2_1;
    QVERIFY(editor->isVisible());
    QVERIFY(editor->hasFocus());
    QCOMPARE(Edit.itemCode, 2103);
    QCOMPARE(Edit.groupCode, 21);
    QCOMPARE(Edit.row, 6);
    QCOMPARE(editor->text(), QString("0.041"));
    QRect cell = grid->CellRect(3, 6);
    QCOMPARE(editor->mapToGlobal(QPoint(0, 0)), grid->viewport()->mapToGlobal(cell.topLeft()));
    QCOMPARE(editor->size(), cell.size());
    QCOMPARE(boxes->Panel(0), QString("　▲ 項目2103の説明です。"));

    test::GrabPng(form, "edit-protocol-form");
    test::PressKey(editor, Qt::Key_Escape);
    QVERIFY(!editor->isVisible());
    QVERIFY(grid->hasFocus());
    QCOMPARE(grid->Cells(3, 6), QString("0.041"));
  }

  void cellTextKeepsItsLeadingBlanks() {
    TStrGridEx* grid = form->STRG2_1;
    test::ClickCell(grid, 2, 1);
    QCOMPARE(form->EDIT2_1->text(), QString("   3.0"));
    test::TypeText(form->EDIT2_1, "12.5");
    test::PressKey(form->EDIT2_1, Qt::Key_Return);
    QCOMPARE(grid->Cells(2, 1), QString("   12.5"));
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].item, 2102);
    QCOMPARE(form->commits[0].row, 1);
    QCOMPARE(form->commits[0].column, 2);

    test::ClickCell(grid, 2, 2);
    test::TypeText(form->EDIT2_1, "7");
    test::PressKey(form->EDIT2_1, Qt::Key_Return);
    QCOMPARE(grid->Cells(2, 2), QString("     7.0"));  // no indent: the new text as it is
  }

  void storeEditedCellTextRules() {
    TStrGridEx* grid = form->STRG2_1;
    struct Case {
      QString before, newText;
      bool unchanged;
      QString expect;
    } cases[] = {
        {"   3.0", "12.5", false, "   12.5"},
        {"3.0", "12.5", false, "12.5"},
        {"   3.0", "12.5", true, "   3.0"},  // cancelled: exactly as before
        {"  ", "x", false, "  x"},
    };
    for (const auto& c : cases) {
      grid->SetCells(4, 3, c.before);
      PrepareCellEdit(grid, 4, 3);
      Edit.newText = S(c.newText);
      Edit.unchanged = c.unchanged;
      StoreEditedCellText(grid);
      QCOMPARE(grid->Cells(4, 3), c.expect);
    }
    Edit.column = -1;
    StoreEditedCellText(grid);  // no current cell: nothing happens
    QCOMPARE(grid->Cells(4, 3), QString("  x"));
  }

  void comboCellLeftUnchangedCommitsNothing() {
    TStrGridEx* grid = form->STRG2_1;
    test::ClickCell(grid, 1, 1);
    TCBoxEx* combo = form->CBOX2_1;
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->currentIndex(), 1);  // "  2:合板" found without its number
    QCOMPARE(Edit.startIndex, 2);
    QCOMPARE(Edit.startText, std::string("合板"));
    test::ClickCell(grid, 2, 3);  // leave it for another cell
    QVERIFY(form->commits.empty());
    QVERIFY(!combo->isVisible());
    QCOMPARE(grid->Cells(1, 1), QString("合板"));
    QVERIFY(form->EDIT2_1->isVisible());
    test::PressKey(form->EDIT2_1, Qt::Key_Escape);

    test::ClickCell(grid, 1, 1);
    test::PressKey(combo, Qt::Key_Down);
    test::PressKey(combo, Qt::Key_Return);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].item, 2101);
    QCOMPARE(form->commits[0].newIndex, 3);
    QCOMPARE(form->commits[0].newText, std::string("  3:グラスウール"));
  }

  void comboEscapeRestoresTheChoice() {
    test::ClickCell(form->STRG2_1, 1, 1);
    TCBoxEx* combo = form->CBOX2_1;
    test::PressKey(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), 2);
    test::PressKey(combo, Qt::Key_Escape);
    QCOMPARE(combo->currentIndex(), 1);
    QVERIFY(form->commits.empty());
    QCOMPARE(form->STRG2_1->Cells(1, 1), QString("合板"));
  }

  void refusedCellValueShowsTheCellAsBefore() {
    form->refuse = true;
    test::ClickCell(form->STRG2_1, 2, 1);
    test::TypeText(form->EDIT2_1, "99");
    test::PressKey(form->EDIT2_1, Qt::Key_Return);
    QCOMPARE(boxes->Texts(), QStringList{"※この値は使えません。"});
    QCOMPARE(form->STRG2_1->Cells(2, 1), QString("   3.0"));
    QVERIFY(Edit.unchanged);
    QCOMPARE(Edit.newText, std::string("   3.0"));
  }

  void messageBoxInTheMiddleOfAnEditKeepsIt() {
    delete boxes;  // a real box this time
    boxes = nullptr;
    InstallQtMessageFace();
    test::ClickWidget(form->EDIT1_2);
    test::TypeText(form->EDIT1_2, "7.5");
    Edit.newValue = 0.1;
    const TInputType before = SaveInputState();
    QString caption;
    test::AnswerNextRealBox(MsgButton::Yes, nullptr, &caption);
    MsgBox("続けますか？", 2, 2);
    QCOMPARE(caption, QString("確認"));
    QVERIFY(MsgYes);
    const TInputType after = SaveInputState();
    QCOMPARE(after.itemCode, before.itemCode);
    QCOMPARE(after.startText, before.startText);
    QCOMPARE(after.editing, true);
    QCOMPARE(after.unchanged, before.unchanged);
    QCOMPARE(Edit.newValue, static_cast<double>(0.1f));  // through single precision
    QVERIFY(form->EDIT1_2->IsEntered());
    QVERIFY(form->commits.empty());
    QCOMPARE(form->EDIT1_2->text(), QString("7.5"));
    test::PressKey(form->EDIT1_2, Qt::Key_Return);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newValue, 7.5);
    SetMessageFace(nullptr);
  }

  void finishAndAbandonEditing() {
    test::ClickWidget(form->EDIT1_2);
    test::TypeText(form->EDIT1_2, "5");
    FinishEditing();  // as if the user had left: the typed value is committed
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newValue, 5.0);
    QVERIFY(!Edit.editing);

    test::ClickCell(form->STRG2_1, 2, 1);
    test::TypeText(form->EDIT2_1, "8");
    AbandonEditing();
    QCOMPARE(form->commits.size(), size_t(1));
    QVERIFY(!form->EDIT2_1->isVisible());
    QCOMPARE(form->STRG2_1->Cells(2, 1), QString("   3.0"));
  }

  void confirmDiscardAsksAndTellsToSave() {
    QVERIFY(ConfirmDiscard(false));
    QVERIFY(boxes->boxes.empty());
    boxes->answers = {MsgButton::No};
    QVERIFY(!ConfirmDiscard(true));
    QCOMPARE(boxes->Texts(),
             (QStringList{"現在編集中のデータを廃棄してもいいですか？", "一度、現在編集中のデータを保存して下さい。"}));
    QCOMPARE(boxes->boxes[0].kind, 3);
    QCOMPARE(boxes->boxes[0].buttons, 3);
    QCOMPARE(MsgAnswer, 2);
    boxes->answers = {MsgButton::Yes};
    QVERIFY(ConfirmDiscard(true));
    boxes->answers = {MsgButton::Cancel};
    QVERIFY(!ConfirmDiscard(true));
    QCOMPARE(boxes->boxes.size(), size_t(4));
  }

  void escapeCanKeepTheCellEditorOpen() {
    form->enterOnly = true;
    test::ClickCell(form->STRG2_1, 2, 1);
    test::TypeText(form->EDIT2_1, "5");
    test::PressKey(form->EDIT2_1, Qt::Key_Escape);
    QVERIFY(form->EDIT2_1->isVisible());
    QCOMPARE(form->EDIT2_1->text(), QString("   3.0"));
    test::TypeText(form->EDIT2_1, "6");  // after the restored text: 3.06
    test::PressKey(form->EDIT2_1, Qt::Key_Return);
    QVERIFY(!form->EDIT2_1->isVisible());
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newText, std::string("     3.1"));
  }

  void comboListChoiceCommitsOnLeaving() {
    PrepareCellEdit(form->STRG2_1, 1, 2);
    SetItemCode(form->STRG2_1, ItemMode::Column, 1);
    TCBoxEx* combo = form->CBOX2_1;
    OpenCellCombo(combo, csDropDownList, true);
    QTRY_VERIFY(combo->view()->isVisible());
    QVERIFY(combo->IsEntered());
    QCOMPARE(Edit.startIndex, 0);  // the empty cell is no entry of the list
    combo->view()->setCurrentIndex(combo->model()->index(3, 0));
    test::PressKey(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!combo->view()->isVisible());
    QCOMPARE(combo->PendingMark(), 1);
    QVERIFY(form->commits.empty());  // chosen, not yet left
    test::ClickWidget(form->OtherButton);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newIndex, 4);
    QCOMPARE(form->commits[0].item, 2101);
    QCOMPARE(form->STRG2_1->Cells(1, 2), QString("  4:ｺﾝｸﾘｰﾄ"));
  }

  void editableComboTakesTypedText() {
    PrepareCellEdit(form->STRG2_1, 1, 1);
    SetItemCode(form->STRG2_1, ItemMode::Column, 1);
    TCBoxEx* combo = form->CBOX2_1;
    OpenCellCombo(combo, csDropDown, false);
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->currentText(), QString("  2:合板"));
    combo->lineEdit()->selectAll();
    test::TypeText(combo, "鉄");
    test::TypeText(combo, QString::fromUcs4(U"\U0001F600"));  // refused: no Shift-JIS form
    QCOMPARE(combo->currentText(), QString("鉄"));
    test::PressKey(combo, Qt::Key_Return);
    QCOMPARE(form->commits.size(), size_t(1));
    QCOMPARE(form->commits[0].newText, std::string("鉄"));
    QCOMPARE(form->commits[0].newIndex, 2);  // typed, not chosen
    QCOMPARE(form->STRG2_1->Cells(1, 1), QString("鉄"));
  }

  void editTypeSettings() {
    TEditEx edit;
    edit.setMaxLength(20);
    edit.setUnderPoint(2);
    edit.setUnderInput(true);
    edit.setEditType(TEditEx::etFloat);  // keeps its length, decimals and sign
    QCOMPARE(edit.MaxLength(), 20);
    QCOMPARE(edit.UnderPoint(), 2);
    QVERIFY(edit.UnderInput());
    QVERIFY(!edit.ZeroDisplay());
    edit.setEditType(TEditEx::etWord);
    QCOMPARE(edit.MaxLength(), 5);
    QCOMPARE(edit.UnderPoint(), 0);
    QVERIFY(!edit.UnderInput());
    edit.setEditType(TEditEx::etDateTime);
    QCOMPARE(edit.MaxLength(), 17);
    QVERIFY(edit.ZeroDisplay());
    QVERIFY(!edit.testAttribute(Qt::WA_InputMethodEnabled));
    edit.setEditType(TEditEx::etString);
    QVERIFY(edit.testAttribute(Qt::WA_InputMethodEnabled));
    edit.setMaxLength(4);
    edit.setUnderPoint(3);  // no room for 3 decimals in 4 bytes
    QCOMPARE(edit.UnderPoint(), 1);

    // A new box is a hidden blue cell editor; a standing field is shown in black.
    TEditEx fresh;
    QVERIFY(fresh.CellFrame());
    QVERIFY(fresh.isHidden());
    QCOMPARE(fresh.palette().color(QPalette::Text), QColor(0, 0, 0xFF));
    fresh.setCellFrame(false);
    QVERIFY(!fresh.isHidden());
    QCOMPARE(fresh.palette().color(QPalette::Text), QColor(Qt::black));
    fresh.setCalcuable(true);
    QCOMPARE(fresh.palette().color(QPalette::Base), QColor(0xC0, 0xDC, 0xC0));
    QVERIFY(fresh.setProperty("EditType", "etSmallInt"));  // as a window description sets it
    QCOMPARE(fresh.EditType(), TEditEx::etSmallInt);

    // Zero length and decimals keep the box's own.
    TEditEx cell;
    cell.setMaxLength(9);
    cell.setEditType(TEditEx::etFloat);
    cell.setUnderPoint(3);
    ConfigureEdit(&cell, etFloat, 0, -1, 0);
    QCOMPARE(cell.MaxLength(), 9);
    QCOMPARE(cell.UnderPoint(), 3);
    QVERIFY(cell.UnderInput());
    QCOMPARE(Edit.underPoint, 3);
    ConfigureEdit(&cell, etFloat, 7, 0, 2);
    QCOMPARE(cell.MaxLength(), 7);
    QCOMPARE(cell.UnderPoint(), 2);
    QVERIFY(!cell.UnderInput());
  }

  void itemCodes() {
    TStrGridEx* grid = form->STRG2_1;
    PrepareCellEdit(grid, 3, 4);
    SetItemCode(grid, ItemMode::Column, 1);
    QCOMPARE(Edit.itemCode, 2103);
    SetItemCode(grid, ItemMode::Row, 1);
    QCOMPARE(Edit.itemCode, 2104);
    SetItemCode(grid, ItemMode::Cell, 5);
    QCOMPARE(Edit.itemCode, 2100 + 3 * 5 + 3);
    SetItemCode(grid, ItemMode::Column, 0);
    QCOMPARE(Edit.itemCode, 2100);
    Edit.commitGuard = true;
    QPushButton other;
    other.setProperty("Tag", 1105);
    SetItemCode(&other, ItemMode::None, 0);
    QCOMPARE(Edit.itemCode, 1105);
    QCOMPARE(Edit.groupCode, 11);
    QVERIFY(!Edit.commitGuard);
  }
};

QTEST_MAIN(EditProtocolTest)
#include "tst_EditProtocol.moc"
