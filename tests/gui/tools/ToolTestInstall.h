// Starts the program for a tool window test on a copy of this build's
// installation in a temporary folder (the build's own tree is never written),
// with the user's cache folder (window captures) inside it too.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QtGlobal>
#include <filesystem>
#include <string>

#include "env/Environment.h"
#include "env/FileSystem.h"
#include "support/TestEnv.h"

namespace kondra::test {

inline bool StartOnInstallCopy(const TempFolder& temp) {
  const std::string native = temp.native();
  const auto options = std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing;
  std::error_code error;
  std::filesystem::create_directories(native + "/root/CAL/KDR", error);
  std::filesystem::copy(std::string(KONDRA_INSTALL_TREE) + "/DATA", native + "/root/DATA", options, error);
  if (error) return false;
  std::filesystem::copy(native + "/root/DATA/利用環境.ORG", native + "/root/DATA/利用環境.WIN", options, error);
  if (error) return false;
  WriteBytes(temp.path() + "root\\CAL\\KDR\\TEST_KDR.KDR", "sample\r\n");
  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(native + "/cache"));
  StartupOptions start;
  start.root = temp.path() + "root\\";
  return StartProgram(start);
}

// Pixels of a colour inside an area of a picture.
inline int CountColour(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
  return n;
}

}  // namespace kondra::test
