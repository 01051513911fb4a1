#include "common/appfont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace {

const QString kSongti = QStringLiteral("宋体");

void installSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList families = QFontDatabase::families();
    if (families.contains(kSongti) || families.contains(QStringLiteral("SimSun")))
        return;
    const QStringList fallbacks = {
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Droid Sans Fallback")};
    QStringList present;
    for (const QString& f : fallbacks)
        if (families.contains(f))
            present << f;
    if (!present.isEmpty())
        QFont::insertSubstitutions(kSongti, present);
}

}  // namespace

QFont songti(double pointSize)
{
    installSubstitutions();
    QFont font(kSongti);
    font.setPointSizeF(pointSize);
    return font;
}

void installAppFont()
{
    QApplication::setFont(songti(9));
}
