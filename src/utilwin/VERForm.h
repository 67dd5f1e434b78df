// TVERForm: the version box. It shows the program's title and name, the
// date and time of the running executable, the first row of the
// environment file and the program's picture.
#pragma once

#include <QDialog>

#include <string>

namespace Ui {
class TVERForm;
}

namespace kondra {

class TVERForm : public QDialog {
  Q_OBJECT

 public:
  explicit TVERForm(QWidget* parent = nullptr);
  ~TVERForm() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Activate();

  Ui::TVERForm* ui_;
  bool activated_ = false;
};

// The running executable as a program path ("C:\...\kondra").
std::string ExecutablePath();
// The picture of the box: PictDir + "KONDRA.BMP".
std::string VersionPicturePath();

// Shows the version box modally over `parent`; afterwards the status bar is
// cleared.
void ShowVersionBox(QWidget* parent);

}  // namespace kondra
