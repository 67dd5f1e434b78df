// TCLOSEForm: the exit dialog. It asks how the program is to end when the
// main window closes, and only records the choice; the main window acts on
// it (saving for choices 3 and 4, staying open for 4 and for 0).
//
//   switch (AskCloseChoice(this)) { ... }
#pragma once

#include <QDialog>

#include <functional>

namespace Ui {
class TCLOSEForm;
}

namespace kondra {

// The choice of the last exit dialog.
enum CloseChoiceKind : int {
  kCloseCancelled = 0,  // 中止 or the close box
  kCloseNoChanges = 1,  // "変更データはありません。"
  kCloseDiscard = 2,    // "変更データを破棄して、終了する。"
  kCloseSave = 3,       // "変更データを保存して、終了する。"
  kCloseSaveStay = 4,   // "変更データを保存して、再びプログラムに戻る。"
};
extern int CloseChoice;

class TCLOSEForm : public QDialog {
  Q_OBJECT

 public:
  explicit TCLOSEForm(QWidget* parent = nullptr);
  ~TCLOSEForm() override;

  // The item selected (1..4).
  int SelectedItem() const;

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Activate();
  void Select(int item);
  void Finish();
  void Cancel();

  Ui::TCLOSEForm* ui_;
  bool activated_ = false;
};

// Shows the exit dialog modally over `parent` (it reads DataModified) and
// returns CloseChoice; MsgYes / MsgCancel tell 終了 from 中止.
int AskCloseChoice(QWidget* parent);

// Answers the exit dialog without showing it (window tests); the hook gets
// DataModified and returns the choice. An empty hook shows the dialog again.
void SetCloseChoiceHook(std::function<int(bool modified)> hook);

}  // namespace kondra
