#include "shell/qt/fonts.h"

#include "lansu/identity.h"
#include "shell/model/font.h"
#include "shell/qt/conversions.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <cstdio>

namespace shell::qt {

bool installSongTiSubstitutes() {
    // Song (Ming) faces first, as 宋体 is one; sans faces only as a last resort.
    static const QStringList candidates = {
        QStringLiteral("AR PL UMing CN"),      QStringLiteral("AR PL UMing TW"),
        QStringLiteral("Noto Serif CJK SC"),   QStringLiteral("Source Han Serif SC"),
        QStringLiteral("AR PL SungtiL GB"),    QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei"),   QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Droid Sans Fallback"),
    };
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QStringList available;
    for (const auto& family : candidates)
        if (installed.contains(family))
            available << family;
    if (available.isEmpty() && !installed.isEmpty())
        available << installed.first();

    if (available.isEmpty()) {
        std::fprintf(stderr,
                     "%s: no Chinese font is installed, so Chinese text shows as boxes; "
                     "install the Debian package fonts-arphic-uming\n",
                     identity::kProjectName);
        return false;
    }
    QFont::insertSubstitutions(toQString(shell::model::kSongTiFace), available);
    return true;
}

} // namespace shell::qt
