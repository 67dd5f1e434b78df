#include "mainwin/KDRCommands.h"

#include <QFileDialog>

#include "assess/gui/AnnualForm.h"
#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "controls/EditProtocol.h"
#include "controls/QtText.h"
#include "env/Environment.h"
#include "env/FileChanges.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "mainwin/KDRForm.h"
#include "materials/gui/EZAIForm.h"
#include "output/PrinterInfo.h"
#include "output/gui/Printing.h"
#include "report/KDRQRForm.h"
#include "tools/DPForm.h"
#include "tools/HGForm.h"
#include "tools/ToolPrinting.h"
#include "utilwin/CLOSEForm.h"
#include "utilwin/MEMForm.h"
#include "utilwin/VERForm.h"
#include "weather/Wmonth.h"

namespace kondra {
namespace {

// "Name(*.EXT)|*.EXT|Other(*.*)|*.*|" as Qt writes a filter list.
QString QtFilterList(const std::string& filter) {
  QStringList parts = Q(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) continue;
    QString name = parts[i];
    const int paren = name.indexOf('(');
    if (paren > 0) name = name.left(paren);
    filters << name + " (" + parts[i + 1].replace(';', ' ') + ")";
  }
  return filters.join(";;");
}

std::optional<std::string> PlatformFileDialog(QWidget* parent, const CalcFileRequest& request) {
  const QString start = Q(fs::ToNative(request.start));
  const QString filter = QtFilterList(request.filter);
  const QString chosen = request.save ? QFileDialog::getSaveFileName(parent, Q(request.title), start, filter)
                                      : QFileDialog::getOpenFileName(parent, Q(request.title), start, filter);
  if (chosen.isEmpty()) return std::nullopt;
  return fs::FromNative(S(chosen));
}

CalcFileDialog& FileDialog() {
  static CalcFileDialog dialog;
  return dialog;
}

std::optional<std::string> AskCalcFile(QWidget* parent, const CalcFileRequest& request) {
  if (FileDialog()) return FileDialog()(parent, request);
  return PlatformFileDialog(parent, request);
}

// The window after its file changed: every field again, and the status of
// the file operation instead of the refresh's own.
void ShowFileDone(TKDRForm& form) {
  const std::string status = LastStatusText;
  form.RefreshScreen();
  ShowStatus(status);
}

// Writing over the sample calculation is refused with a warning.
bool RefuseSample(const std::string& path) {
  if (!IsSampleFile(path)) return false;
  MsgBox(kSampleNotSaved, 3, 1);
  return true;
}

// The side windows that stay open beside the main window.
void FreeSideWindows() {
  FreeGuide();
  CloseHumidityTool();
  CloseSaturationTool();
  delete MonthlyWeatherWindow();
}

}  // namespace

void SetCalcFileDialog(CalcFileDialog dialog) { FileDialog() = std::move(dialog); }

void NewCalcCommand(TKDRForm& form) {
  if (!ConfirmDiscard(DataModified)) return;
  if (!ConfirmSaveAs(CalcPath)) return;
  const std::string path = CurPath;
  if (RefuseSample(path)) return;
  NewCalcFile(path);
  SaveCalcFile(path);
  ShowFileDone(form);
}

void OpenCalcCommand(TKDRForm& form) {
  ShowStatus(kOpenPrompt);
  const auto chosen = AskCalcFile(&form, {kOpenPrompt, CalcPath, FilterText(CalcPath), false});
  if (!chosen) {
    ShowStatus();
    return;
  }
  if (!ConfirmDiscard(DataModified)) return;
  ReadCalcFile(*chosen);
  ShowFileDone(form);
}

SaveOutcome SaveCalcCommand(TKDRForm& form) {
  FinishEditing();
  if (RefuseSample(CalcPath)) return SaveOutcome::Stopped;
  MsgBox("〔" + CalcPath + "〕を上書き保存しますか？", 2, 3);
  if (MsgCancel) return SaveOutcome::Stopped;
  if (!MsgYes) return SaveOutcome::Declined;
  const bool saved = SaveCalcFile(CalcPath);
  ShowFileDone(form);
  return saved ? SaveOutcome::Saved : SaveOutcome::Stopped;
}

SaveOutcome SaveCalcAsCommand(TKDRForm& form) {
  FinishEditing();
  ShowStatus(kSaveAsPrompt);
  const auto chosen = AskCalcFile(&form, {kSaveAsPrompt, CalcPath, kCalcSaveFilter, true});
  if (!chosen) {
    ShowStatus();
    return SaveOutcome::Stopped;
  }
  std::string path = *chosen;
  if (!CheckSaveLocation(path, kCalcSaveFolder)) return SaveOutcome::Stopped;
  SplitPath(path);
  if (CurExt.empty()) path += ".KDR";
  if (RefuseSample(path)) return SaveOutcome::Stopped;
  const bool saved = SaveCalcFile(path);
  ShowFileDone(form);
  return saved ? SaveOutcome::Saved : SaveOutcome::Stopped;
}

void TitleAsFileNameCommand(TKDRForm& form) {
  FinishEditing();
  const std::string oldPath = CalcPath;
  NameCheckBox box{true, true};
  const std::string newPath = ApplyCalcNameAsFileName(box, oldPath, TrimBoth(Calc.Title));
  if (!MsgYes || newPath == oldPath) return;
  DeleteNumberedMetafiles(newPath, 2);
  // The old file is gone already: when the new one cannot be written the
  // calculation goes back to where it was.
  if (!SaveCalcFile(newPath)) {
    SaveCalcFile(oldPath);
    ShowFileDone(form);
    return;
  }
  ReadCalcFile(newPath);
  ShowFileDone(form);
}

bool CloseMainWindow(TKDRForm& form) {
  FinishEditing();
  if (DataModified && !IsSampleFile(CalcPath)) {
    const int choice = AskCloseChoice(&form);
    if (choice == kCloseCancelled) return false;
    if (choice == kCloseSave || choice == kCloseSaveStay) {
      const SaveOutcome outcome =
          Contains("\\(新規).KDR", CalcPath) ? SaveCalcAsCommand(form) : SaveCalcCommand(form);
      // A save that was cancelled or failed keeps the program open, so that
      // the changes are not lost; No to the question ends without saving.
      if (outcome == SaveOutcome::Stopped || choice == kCloseSaveStay) return false;
    }
  }
  FreeSideWindows();
  SaveEnvironment(CalcPath);
  return true;
}

void AttachPrintingServices() {
  SetToolPrintHandlers([](QWidget* window) { HardCopyForm(window); },
                       [](QWidget* reportForm, const PagePainter& paint) { PrintReportPainter(reportForm, paint); });
  SetToolPrinterName([] { return PrinterInfo.DeviceName; });
}

void WireMainWindow(TKDRForm& form) {
  using C = TKDRForm::Command;
  TKDRForm* window = &form;
  form.SetCommand(C::New, [window] { NewCalcCommand(*window); });
  form.SetCommand(C::Open, [window] { OpenCalcCommand(*window); });
  form.SetCommand(C::Save, [window] { SaveCalcCommand(*window); });
  form.SetCommand(C::SaveAs, [window] { SaveCalcAsCommand(*window); });
  form.SetCommand(C::TitleAsFileName, [window] { TitleAsFileNameCommand(*window); });
  form.SetCommand(C::Preview, [window] {
    FinishEditing();
    // The pictures go into the results folder, which a folder of the user's
    // own does not have until the first report.
    if (!ResultDir.empty() && !EnsureFolder(ResultDir, false)) return;
    ShowCalcReport(window);
  });
  form.SetCommand(C::HardCopy, [window] { HardCopyForm(window); });
  form.SetCommand(C::MaterialEditor, [window] {
    FinishEditing();
    if (!EditMaterialFile(window)) return;
    // A saved file may name new materials: the layer grid lists them at once.
    window->ReloadMaterialList();
    window->CmdRefreshMaterials();
  });
  form.SetCommand(C::SatCurve, [window] { ShowSaturationTool(window); });
  form.SetCommand(C::Humidity, [window] { ShowHumidityTool(window); });
  form.SetCommand(C::QuickGuide, [window] { ShowGuide(window, GuideFilePath()); });
  form.SetCommand(C::Version, [window] { ShowVersionBox(window); });
  form.SetCommand(C::Annual, [window] {
    FinishEditing();
    ShowAnnualWindow(window);
  });
  form.SetCloseGuard([window] { return CloseMainWindow(*window); });
}

}  // namespace kondra
