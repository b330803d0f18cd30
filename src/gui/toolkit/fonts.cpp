// Turning a font description of the window into a real font, narrow faces included.
#include "gui/toolkit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace lumaro {

QFont FontFromSpec(const QString& spec) {
    const QStringList parts = spec.split('.');
    QFont font;
    if (parts.size() < 2) return font;
    const QString face = parts.at(1);
    if (face == QLatin1String("Arial Narrow")) {
        if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans Narrow"))) {
            font.setFamily(QStringLiteral("Liberation Sans Narrow"));
        } else {
            font.setStyleHint(QFont::SansSerif);
            font.setStretch(QFont::Condensed);
        }
    } else {
        font.setStyleHint(QFont::SansSerif);
        font.setFamily(QStringLiteral("Sans Serif"));
    }
    font.setPointSize(parts.at(0).toInt());
    font.setBold(parts.size() > 2 && parts.at(2) == QLatin1String("Bold"));
    return font;
}

}  // namespace lumaro
