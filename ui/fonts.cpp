#include "ui/fonts.h"

#include <QStringList>

namespace ui {

QFont DesignFont(const QString& family, int pixelSize, bool bold) {
    QFont font;
    QStringList families{family};
    if (family == u"MS Sans Serif") families << QStringLiteral("Microsoft Sans Serif");
    families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans")
             << QStringLiteral("Nimbus Sans") << QStringLiteral("Sans Serif");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace ui
