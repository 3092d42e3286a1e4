#include "platform/commondialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFont>
#include <QFontDialog>

#include <algorithm>

namespace tk {

namespace {

class ToolkitCommonDialogs final : public CommonDialogs {
public:
    std::optional<FontSpec> chooseFont(const FontSpec& initial) override {
        QFont start(QString::fromStdString(initial.name));
        start.setPointSizeF(initial.size > 0 ? initial.size : 8.25);
        start.setWeight(static_cast<QFont::Weight>(std::clamp(initial.weight, 100, 900)));
        start.setItalic(initial.italic);
        bool ok = false;
        const QFont chosen =
            QFontDialog::getFont(&ok, start, QApplication::activeWindow(), QStringLiteral("Font"));
        if (!ok) {
            return std::nullopt;
        }
        FontSpec f;
        f.name = chosen.family().toStdString();
        f.size = static_cast<float>(chosen.pointSizeF());
        f.weight = static_cast<int>(chosen.weight());
        f.italic = chosen.italic();
        return f;
    }

    std::optional<OleColor> chooseColor(OleColor initial) override {
        const QColor chosen = QColorDialog::getColor(toQColor(initial), QApplication::activeWindow());
        if (!chosen.isValid()) {
            return std::nullopt;
        }
        return fromQColor(chosen);
    }
};

} // namespace

std::unique_ptr<CommonDialogs> toolkitCommonDialogs() {
    return std::make_unique<ToolkitCommonDialogs>();
}

} // namespace tk
