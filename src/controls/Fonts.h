// The legacy font names of the window descriptions and the faces that stand
// in for them.
//
// Window descriptions keep the names the program has always used ("ＭＳ
// ゴシック", "ＭＳ Ｐゴシック", ...). They are installed once as font
// substitutions when the application object is created, so any QFont made
// with a legacy name finds its stand-in.
#pragma once

#include <QFont>
#include <QString>

namespace kondra {

inline const QString kFontGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kFontPGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kFontMincho = QStringLiteral("ＭＳ 明朝");
inline const QString kFontPMincho = QStringLiteral("ＭＳ Ｐ明朝");
inline const QString kFontSmall = QStringLiteral("Small Fonts");

// Installs the substitutions (once; later calls do nothing).
void InstallLegacyFontNames();

// A font by its legacy name at a point size (substitutions installed first).
QFont LegacyFont(const QString& family, int pointSize = 9);

}  // namespace kondra
