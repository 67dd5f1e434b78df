#include "output/gui/MetafileSupport.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#include "output/gui/QtCanvas.h"

namespace kondra {

TextMetrics QtTextMeasure::Metrics(const CanvasFont& font) const {
  QFontMetricsF m(QFontOf(font));
  return {static_cast<int32_t>(std::lround(m.horizontalAdvance(QLatin1Char('x')))),
          static_cast<int32_t>(std::lround(m.height()))};
}

std::vector<int32_t> QtTextMeasure::Advances(const CanvasFont& font, const std::u16string& text) const {
  QFontMetricsF m(QFontOf(font));
  std::vector<int32_t> out;
  out.reserve(text.size());
  // Positions are rounded where they fall, so the rounding errors of the
  // single characters do not add up along the text.
  double at = 0;
  int32_t placed = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    QString s = pair ? QString(QChar(c)) + QChar(text[i + 1]) : QString(QChar(c));
    at += m.horizontalAdvance(s);
    auto next = static_cast<int32_t>(std::lround(at));
    out.push_back(next - placed);
    placed = next;
    if (pair) {
      out.push_back(0);
      ++i;
    }
  }
  return out;
}

void InstallQtMetafileSupport() {
  // Measuring faces needs the gui application; without one the core's own
  // measure stays.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  static const QtTextMeasure measure;
  SetTextMeasure(&measure);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QSize size = screen->size();
    auto dpiX = static_cast<int32_t>(std::lround(screen->logicalDotsPerInchX()));
    auto dpiY = static_cast<int32_t>(std::lround(screen->logicalDotsPerInchY()));
    SetMetafileScreen(EmfDevice{size.width(), size.height(), dpiX, dpiY});
  }
}

}  // namespace kondra

static void InstallQtMetafileSupportAtStart() { kondra::InstallQtMetafileSupport(); }
Q_COREAPP_STARTUP_FUNCTION(InstallQtMetafileSupportAtStart)
