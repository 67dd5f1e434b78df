// TKDRForm: the program's main window. The user types the title, chooses the
// part class, enters the air conditions of the two sides and builds the
// layers from the material list; every committed input goes into the open
// calculation file's records at once (calc/CalcInput.h), the inputs are
// rebuilt and the whole screen is redrawn from them. Calc runs the engine
// and shows result table A; the picture, the 表示 menu and the display
// switch move between the input display (mode 0) and result tables A (1)
// and B (2).
//
// Commands whose windows live elsewhere (file commands, report, material
// editor, tools, guide, version box) are menu items and tool buttons that
// stay disabled until a handler is given with SetCommand.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controls/EditProtocol.h"

class QMenu;
class QLabel;
class QStatusBar;

namespace Ui {
class TKDRForm;
}

namespace kondra {

class TUpDown;
class THJUNITFrame;
class TSurfaceRiskPanel;

// The status texts of the display commands.
inline constexpr const char* kInputDisplayStatus = "〔計算条件表示〕";
inline constexpr const char* kInputDisplayTitle = "【層構成条件】";
// The surface condensation and mould display, beside result tables A and B.
inline constexpr int kSurfaceDisplay = 3;
inline constexpr const char* kSurfaceDisplayStatus = "〔表面結露・カビの判定表示〕";
// Said when a room condition was handed over but cannot be read.
inline constexpr const char* kHandoverLost =
    "〔結露の話〕で採用した室内条件を受け取れませんでした。" "\r" "もう一度、室内条件として採用して下さい。";

class TKDRForm : public QMainWindow, public TEditHost {
  Q_OBJECT

 public:
  // Commands carried out by other windows and operations.
  enum class Command {
    New,
    Open,
    Save,
    SaveAs,
    Preview,
    HardCopy,
    MaterialEditor,
    SatCurve,
    Humidity,
    QuickGuide,
    Version,
    TitleAsFileName,  // CBTN_Com: the title becomes the file name
    Annual,           // 表示 → 年間結露判定
  };

  explicit TKDRForm(QWidget* parent = nullptr);
  ~TKDRForm() override;

  // The window's part of the start-up, after the environment: part and
  // material lists, the weather data (`weather`), the start-up calculation
  // file and the first full refresh.
  void Startup(bool weather = true);

  // Fills the layer grid's material list from 材料物性.DAT again (after the
  // material editor saved it).
  void ReloadMaterialList();

  // The open calculation file (program form).
  const std::string& CurrentPath() const;
  int DisplayMode() const { return mode_; }

  // Rebuilds every field from the open file and returns to the input display.
  void RefreshScreen();
  // The automatic repairs of the open calculation (material numbers and
  // colours from the material file), then the screen shows what they wrote.
  void RepairOpenFile();
  // 0 input, 1 result table A, 2 result table B, kSurfaceDisplay the surface
  // figures (all but 0 only while calculated).
  void ShowDisplayMode(int mode);
  // What the window does on becoming active: takes a handed-over room
  // condition as side B's, refreshes, and shows the caption in the status bar.
  void Activate();

  // Gives a command its handler: its menu item (and tool button) then follows
  // the window's state rules instead of staying disabled.
  void SetCommand(Command command, std::function<void()> handler);
  QAction* CommandAction(Command command) const;
  // Asked when the window is to close; false keeps it open. Without one an
  // unsaved calculation is only closed after the discard question.
  void SetCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

  // The components, by their names.
  Ui::TKDRForm* Form() const { return ui.get(); }
  QStatusBar* StatusBar() const;
  QMenu* PopupMenu() const { return POP1; }

  // TEditHost
  void CommitItem(QWidget* sender, int group, int row, int column) override;
  QString ItemHint(int itemCode) const override;
  void EDITcomKeyPress(TEditEx* sender, int& ch) override;
  void EDITcomExit(TEditEx* sender) override;
  void CBOXcomDropDown(TCBoxEx* sender) override;
  void CBOXcomClick(TCBoxEx* sender) override;

 public slots:
  void CmdCalc();
  void CmdInputMode();
  void CmdRefreshMaterials();
  void CmdMonthlyWeather();
  void CmdTopLeft();
  void CmdHint();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void ConnectControls();
  void ApplyStateRules();
  void FillConditions();
  void FillLayerGrid();
  void FillPropertyGrid();
  void ShowResultTable(int mode);
  void ShowSurfaceDisplay();
  void DrawPicture();
  void DrawLegend();
  void ShowUnitLabels();
  void MoveLayerGrid(bool shifted);
  bool InputsComplete(bool* conditionsComplete = nullptr, bool* layersComplete = nullptr) const;
  bool TitleExists() const;
  bool TitleFileNameFree() const;

  void OnLayerCellClicked(int col, int row);
  void OnPropertyCellClicked(int col, int row);
  void OnLayerMouseDown(Qt::MouseButton button, int x, int y);
  void OnPropertyMouseDown(Qt::MouseButton button, int x, int y);
  void DrawLayerCell(int col, int row, const QRect& rect, int state);
  void DrawPropertyCell(int col, int row, const QRect& rect, int state);
  bool LayerCellWhite(int col, int row) const;
  bool PropertyCellWhite(int col, int row) const;
  void CommitUpDown(TUpDown* updown);
  void OnTitleAsFileName();
  void RefuseTypedText(TEditEx* sender);
  void TellPendingRemark();
  void ShowFactor(int which, const QString& caption);
  void ShowHoverHint(const QString& tip);
  void FitPartList();
  static bool IsProgramForm(const QWidget* window);

  std::unique_ptr<Ui::TKDRForm> ui;
  QMenu* POP1 = nullptr;
  QAction* popInsert_ = nullptr;
  QAction* popDelete_ = nullptr;
  int popRow_ = 0;
  std::array<QAction*, 13> commandActions_{};
  std::array<std::function<void()>, 13> commandHandlers_{};
  QAction* actInput_ = nullptr;
  QAction* actRefresh_ = nullptr;
  QAction* actCalc_ = nullptr;
  QAction* actModeInput_ = nullptr;
  QAction* actModeA_ = nullptr;
  QAction* actModeB_ = nullptr;
  QAction* actModeSurface_ = nullptr;
  TSurfaceRiskPanel* surfacePanel_ = nullptr;
  QAction* actWeather_ = nullptr;
  QAction* actClose_ = nullptr;
  std::function<bool()> closeGuard_;
  int mode_ = 0;
  bool refreshing_ = false;
  bool listChoice_ = false;
  int clickedRow_ = 0, clickedCol_ = 0;
  // Another window of the program was active since this one last was.
  bool otherFormActive_ = false;
  QString hoverHint_;   // the control hint panel 0 shows while the pointer is over it
  QString beforeHint_;  // what panel 0 showed before it
  std::string pendingRemark_;
};

}  // namespace kondra
