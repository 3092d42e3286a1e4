#include "platform/font.h"

#include <QFont>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace tk {

int designPixelSize(float points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

QFont toQFont(const FontSpec& spec, double scale) {
    QFont f(QString::fromStdString(spec.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(designPixelSize(spec.size) * scale))));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight, 100, 900)));
    f.setItalic(spec.italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               QStringList() << QStringLiteral("Liberation Sans") << QStringLiteral("Arimo"));
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), QStringList()
                                                                    << QStringLiteral("Liberation Sans")
                                                                    << QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitutions(QStringLiteral("Bookman Old Style"), QStringList()
                                                                        << QStringLiteral("URW Bookman")
                                                                        << QStringLiteral("URW Bookman L"));
}

} // namespace tk
