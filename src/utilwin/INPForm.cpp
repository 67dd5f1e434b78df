#include "utilwin/INPForm.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetricsF>
#include <QLabel>
#include <QShowEvent>

#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "ui_INPForm.h"

namespace kondra {

namespace {

// Digits after the "." of a value (0 without one).
int DecimalsShown(const std::string& value) {
  const std::size_t dot = value.find('.');
  return dot == std::string::npos ? 0 : static_cast<int>(value.size() - dot - 1);
}

class QtInputFace : public InputFace {
 public:
  InputAnswer AskInput() override { return RunInputDialog(); }
};

}  // namespace

TINPForm::TINPForm(QWidget* parent) : QDialog(parent), ui_(new Ui::TINPForm) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  // The dialog edits with its own item codes; the caller gets its own back.
  callerItem_ = Edit.itemCode;
  callerGroup_ = Edit.groupCode;
  SpreadRangeLabel();
  // A click on a button leaves the box only once the button was clicked
  // (Accept and Cancel end the edit first): leaving it while the press is
  // delivered lets the status bar's repaint take the release before the
  // press, and the click would be lost. Tab still reaches the buttons.
  for (QPushButton* button : {ui_->BTN1_1, ui_->BTN1_2}) button->setFocusPolicy(Qt::TabFocus);
  connect(ui_->BTN1_1, &QPushButton::clicked, this, [this] { Accept(); });
  connect(ui_->BTN1_2, &QPushButton::clicked, this, [this] { Cancel(); });
}

TINPForm::~TINPForm() { delete ui_; }

void TINPForm::SpreadRangeLabel() {
  // "から" stands between the boxes and "まで" after the second one, whatever
  // the width of a blank in the face that stands in for the legacy font.
  QLabel* label = ui_->LBL1_1;
  const QString text = label->text();
  const int blanks = static_cast<int>(text.count(QLatin1Char(' ')));
  if (blanks == 0) return;
  QFont font = label->font();
  const QFontMetricsF metrics(font);
  const qreal wanted = (ui_->EDIT1_2->geometry().right() + 4) - label->x() -
                       metrics.horizontalAdvance(text.left(text.indexOf(QLatin1Char(' '))));
  const qreal have = metrics.horizontalAdvance(QString(blanks, QLatin1Char(' ')));
  // Spacing after every character before "まで" (a blank's own spacing is
  // not honoured by every face).
  const int before = static_cast<int>(text.lastIndexOf(QLatin1Char(' '))) + 1;
  font.setLetterSpacing(QFont::AbsoluteSpacing, (wanted - have) / before);
  label->setFont(font);
}

void TINPForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    Activate();
  }
}

void TINPForm::Activate() {
  pointer_ = QCursor::pos();
  ui_->PNL1->show();

  const int width = InputDialogWidth(InpType.Line1, InpType.Line2);
  // The width counts the dialog's border, which the platform adds.
  setFixedSize(width - 8, height());
  ui_->LBL1->resize(width - 8 - ui_->LBL1->x(), ui_->LBL1->height());
  ui_->LBL2->resize(width - 8 - ui_->LBL2->x(), ui_->LBL2->height());
  const bool two = InpType.Count == 2;
  ui_->EDIT1_1->resize(two ? 73 : 201, ui_->EDIT1_1->height());
  ui_->LBL1_1->setVisible(two);
  ui_->EDIT1_2->setVisible(two);

  ui_->LBL1->setText(Q(InpType.Line1));
  ui_->LBL2->setText(Q(InpType.Line2));
  for (TEditEx* box : {ui_->EDIT1_1, ui_->EDIT1_2}) box->setEditType(TEditEx::etString);
  if (InpType.Kind == 4) {
    ui_->EDIT1_1->setUnderPoint(DecimalsShown(InpType.Value[1]));
    ui_->EDIT1_2->setUnderPoint(DecimalsShown(InpType.Value[2]));
  }
  setWindowTitle(Q(InputTitle(InpType.Kind)));

  ShowValues();
  InpType.Saved = InpType.Value;
  ui_->EDIT1_1->selectAll();
  PointAtControl(ui_->BTN1_1);
}

void TINPForm::ShowValues() {
  ui_->EDIT1_1->setText(Q(InpType.Value[1]));
  ui_->EDIT1_2->setText(Q(InpType.Value[2]));
}

void TINPForm::CommitItem(QWidget* sender, int, int, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  auto* box = qobject_cast<TEditEx*>(sender);
  const int index = Edit.itemCode - 1000;
  if (!box || (index != 1 && index != 2)) return;
  if (!InputValueAccepted(InpType.Kind, Edit.newText)) {
    RevertEdit(box);
    return;
  }
  InpType.Value[index] = Edit.newText;
  ShowValues();
  Edit.modified = false;
  ui_->BTN1_1->setEnabled(true);
  PointAtControl(ui_->BTN1_1);
}

void TINPForm::Accept() {
  // A box still being typed in (a shortcut key pressed in it) is left first,
  // which stores what was typed.
  if (TEditEx* box = CurrentEdit(); box == ui_->EDIT1_1 || box == ui_->EDIT1_2) EDITcomExit(box);
  lastText_ = S(ui_->EDIT1_1->text());
  QCursor::setPos(pointer_);
  MsgYes = true;
  MsgCancel = false;
  done(QDialog::Accepted);
}

void TINPForm::Cancel() {
  lastText_ = S(ui_->EDIT1_1->text());
  if (TEditEx* box = CurrentEdit(); box == ui_->EDIT1_1 || box == ui_->EDIT1_2) EDITcomExit(box);
  InpType.Value = InpType.Saved;
  QCursor::setPos(pointer_);
  MsgYes = false;
  MsgCancel = true;
  done(QDialog::Rejected);
}

void TINPForm::reject() {
  // Escape and the close box answer as 中止 does.
  Cancel();
}

void TINPForm::done(int result) {
  QDialog::done(result);
  Edit.itemCode = callerItem_;
  Edit.groupCode = callerGroup_;
}

InputAnswer RunInputDialog(QWidget* parent) {
  TINPForm dialog(parent ? parent : QApplication::activeWindow());
  dialog.exec();
  return InputAnswer{dialog.result() == QDialog::Accepted, dialog.LastText()};
}

void InstallQtInputFace() {
  static QtInputFace face;
  SetInputFace(&face);
}

}  // namespace kondra
