#pragma once
// Font families by name, as the settings store them, resolved to fonts installed here.

#include <QString>
#include <QStringList>

namespace plat {

// The names of the installed font families.
QStringList InstalledFontFamilies();
bool IsFontInstalled(const QString& family);

// An installed family for the one asked for: the family itself when it is installed;
// for a Mincho (明朝) or Gothic (ゴシック) face that is not, an installed face of the same
// kind (Windows' "ＭＳ 明朝" becomes IPA明朝 on Debian); otherwise the family unchanged,
// which leaves the choice to the system's font matching.
QString ResolveFontFamily(const QString& family);

} // namespace plat
