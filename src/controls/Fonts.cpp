#include "controls/Fonts.h"

#include <QCoreApplication>
#include <QStringList>

namespace kondra {

void InstallLegacyFontNames() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct Mapping {
    QString legacy;
    QStringList faces;
  };
  const Mapping mappings[] = {
      {kFontGothic, {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")}},
      {kFontPGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")}},
      {kFontMincho, {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")}},
      {kFontPMincho, {QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho")}},
      {kFontSmall, {QStringLiteral("DejaVu Sans")}},
      // The same faces under their Latin names.
      {QStringLiteral("MS Gothic"), {QStringLiteral("IPAGothic")}},
      {QStringLiteral("MS PGothic"), {QStringLiteral("IPAPGothic")}},
      {QStringLiteral("MS Mincho"), {QStringLiteral("IPAMincho")}},
      {QStringLiteral("MS PMincho"), {QStringLiteral("IPAPMincho")}},
  };
  for (const auto& m : mappings) QFont::insertSubstitutions(m.legacy, m.faces);
}

QFont LegacyFont(const QString& family, int pointSize) {
  InstallLegacyFontNames();
  QFont font(family);
  font.setPointSize(pointSize);
  return font;
}

}  // namespace kondra

// Installed as soon as the application object exists, before any window
// description is read.
static void InstallLegacyFontNamesAtStart() { kondra::InstallLegacyFontNames(); }
Q_COREAPP_STARTUP_FUNCTION(InstallLegacyFontNamesAtStart)
