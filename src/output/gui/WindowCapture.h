// Capture of the active window into a bitmap file and a JPEG file.
//
// The picture is taken by grabbing the window that has the focus (there is
// no print-screen key and no clipboard in between). The files the legacy
// program put on the root of its drive go to the user's cache folder.
#pragma once

#include <string>

class QWidget;

namespace kondra {

// The capture of the saturation-curve tool: "WCRT.BMP" in the user's cache
// folder ("WCRT.JPG" beside it).
std::string WindowCaptureFile();
// The chart-save dialog's preview: "Chart.EMF" in the user's cache folder.
std::string ChartPreviewFile();

// `path` with its extension replaced by `ext` (".BMP"), or `ext` appended
// when it has none.
std::string WithExtension(const std::string& path, const std::string& ext);

// Captures the active window: waits 0.1 s twice so pending drawing is done,
// grabs the window, saves it as a bitmap at `path` with the extension
// ".BMP", converts that to ".JPG" (BmpToJpeg) and back to a 24-bit bitmap
// (JpegToBmp), so the bitmap that remains is the JPEG-decoded picture. Then
// "〔画面をファイルに保存完了〕" in the status bar, also when no window was
// active. The folder is made when missing.
void SaveWindowToFile(const std::string& path);

// The window the capture takes (tests may name one; nullptr: the active
// window).
void SetCaptureWindow(QWidget* window);

}  // namespace kondra
