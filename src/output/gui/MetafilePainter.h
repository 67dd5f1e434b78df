// Shows enhanced metafiles with Qt: the records are played (EmfPlayer.h)
// onto a QPainter, the picture stretched onto a rectangle.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <string>
#include <string_view>

class QPainter;

namespace kondra {

// Draws the metafile's picture onto `dest` of the painter. False, with
// `error`, for data that is not an enhanced metafile (nothing is drawn).
bool DrawMetafile(QPainter& painter, std::string_view data, const QRectF& dest, std::string* error = nullptr);

// The picture as an image of `size` pixels on `background`; a null image for
// data that is not an enhanced metafile.
QImage RenderMetafile(std::string_view data, QSize size, const QColor& background = Qt::white,
                      std::string* error = nullptr);

}  // namespace kondra
