// The small pictures of the tools' print buttons: a printer (hard copy) and
// a page under a magnifier (print preview), drawn rather than loaded so the
// buttons never lack them.
#pragma once

#include <QIcon>

namespace kondra {

QIcon PrinterIcon();
QIcon PreviewIcon();

}  // namespace kondra
