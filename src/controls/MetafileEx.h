// TMetafileEx: the metafile picture of the program. Every enhanced metafile
// the program loads from a file or the clipboard, shows or saves is one.
//
// It holds the metafile's bytes as they are; its size in pixels is the
// frame's size at the screen's resolution. Drawing it onto a painter ignores
// any clip region left on the painter, so a picture is never cut by what was
// drawn before it.
//
// Only enhanced metafiles (.emf) are read. A Windows metafile (.wmf, the
// 16-bit format) is refused with a message saying so.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <optional>
#include <string>

#include "output/Metafile.h"

class QMimeData;
class QPainter;

namespace kondra {

class TMetafileEx {
 public:
  TMetafileEx() = default;
  // Takes the bytes of an enhanced metafile; Empty() when they are not one.
  explicit TMetafileEx(std::string data);

  bool Empty() const { return !header_; }
  const std::string& Data() const { return data_; }
  const std::optional<EmfHeader>& Header() const { return header_; }

  // Size in pixels at the screen's resolution (0 when empty).
  int Width() const;
  int Height() const;
  // Size in hundredths of a millimetre.
  int MMWidth() const;
  int MMHeight() const;

  // Reads an enhanced metafile through the program's file access. False,
  // with `error` naming the file and the problem, and the picture unchanged
  // otherwise.
  bool LoadFromFile(const std::string& path, std::string* error = nullptr);
  // Writes it whole and atomically.
  bool SaveToFile(const std::string& path, std::string* error = nullptr) const;
  // Takes a metafile from the clipboard's data ("image/x-emf" or "image/emf").
  bool LoadFromMimeData(const QMimeData* mime);
  // Puts it on the clipboard's data under both names.
  void SaveToMimeData(QMimeData* mime) const;

  // Draws the picture stretched onto `rect`, with the painter's clip region
  // removed meanwhile and restored afterwards.
  void Draw(QPainter& painter, const QRectF& rect) const;
  // The picture as an image of `size` (its own size when invalid).
  QImage ToImage(QSize size = QSize(), const QColor& background = Qt::white) const;

  // Rewrites the header for a resolution (0: the screen's) and keeps the
  // result (see Metafile.h).
  bool SetResolution(int dpiX, int dpiY);

 private:
  std::string data_;
  std::optional<EmfHeader> header_;
};

// The two operations that make metafiles written by the program independent
// of the screen (FixMetafileFontWidth is in output/EmfCanvas.h).
bool SetMetafileResolution(TMetafileEx& metafile, int dpiX, int dpiY);

}  // namespace kondra
