#include "platform/text/FontResolve.h"

#include <QFontDatabase>

namespace plat {

namespace {

// Installed faces tried in order for each kind; Debian's fonts-ipafont packages provide
// the IPA faces.
const QStringList kMinchoFaces = {
    QStringLiteral("IPAMincho"),           QStringLiteral("IPA明朝"),
    QStringLiteral("IPAexMincho"),         QStringLiteral("IPAex明朝"),
    QStringLiteral("Noto Serif CJK JP"),   QStringLiteral("Noto Serif JP"),
    QStringLiteral("Source Han Serif JP"), QStringLiteral("TakaoMincho"),
    QStringLiteral("IPAPMincho"),
};
const QStringList kGothicFaces = {
    QStringLiteral("IPAGothic"),    QStringLiteral("IPAゴシック"),
    QStringLiteral("IPAexGothic"),  QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("Noto Sans JP"), QStringLiteral("Source Han Sans JP"),
    QStringLiteral("TakaoGothic"),  QStringLiteral("VL Gothic"),
};

bool IsMincho(const QString& family) {
    return family.contains(QStringLiteral("明朝")) ||
           family.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) ||
           family.contains(QStringLiteral("Serif"), Qt::CaseInsensitive);
}

bool IsGothic(const QString& family) {
    return family.contains(QStringLiteral("ゴシック")) ||
           family.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive) ||
           family.contains(QStringLiteral("メイリオ")) ||
           family.contains(QStringLiteral("Meiryo"), Qt::CaseInsensitive);
}

QString FirstInstalled(const QStringList& candidates, const QStringList& installed) {
    for (const QString& face : candidates)
        if (installed.contains(face, Qt::CaseInsensitive)) return face;
    return {};
}

} // namespace

QStringList InstalledFontFamilies() {
    return QFontDatabase::families();
}

bool IsFontInstalled(const QString& family) {
    return !family.isEmpty() && InstalledFontFamilies().contains(family, Qt::CaseInsensitive);
}

QString ResolveFontFamily(const QString& family) {
    const QStringList installed = InstalledFontFamilies();
    if (installed.contains(family, Qt::CaseInsensitive)) return family;
    QString face;
    if (IsMincho(family))
        face = FirstInstalled(kMinchoFaces, installed);
    else if (IsGothic(family))
        face = FirstInstalled(kGothicFaces, installed);
    return face.isEmpty() ? family : face;
}

} // namespace plat
