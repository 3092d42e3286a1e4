#include "platform/commondialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFont>
#include <QFontDialog>
#include <QFontInfo>

#include <algorithm>

namespace tk {

namespace {

// What the owner chose in the font dialog, as a FontSpec: each of face, size and style that they left
// as the dialog opened keeps its stored value, which the dialog may only have shown approximately (a
// face it stands in for, a whole point size, the nearest style the face has).
FontSpec keptUnlessChanged(const FontSpec& stored, const QFont& opened, const QFont& chosen) {
    FontSpec f = stored;
    if (chosen.family() != opened.family()) {
        f.name = chosen.family().toStdString();
    }
    if (chosen.pointSizeF() != opened.pointSizeF()) {
        f.size = static_cast<float>(chosen.pointSizeF());
    }
    if (chosen.weight() != opened.weight()) {
        f.weight = static_cast<int>(chosen.weight());
    }
    if (chosen.italic() != opened.italic()) {
        f.italic = chosen.italic();
    }
    return f;
}

class ToolkitCommonDialogs final : public CommonDialogs {
public:
    std::optional<FontSpec> chooseFont(const FontSpec& initial) override {
        FontSpec stored = initial;
        if (!(stored.size > 0)) {
            stored.size = FontSpec{}.size;
        }
        QFont start(QString::fromStdString(stored.name));
        start.setPointSizeF(stored.size);
        start.setWeight(static_cast<QFont::Weight>(std::clamp(stored.weight, 100, 900)));
        start.setItalic(stored.italic);
        // A stored face that is not installed ("Arial") opens as the installed face that renders it,
        // not as the dialog's own fallback.
        start.setFamily(QFontInfo(start).family());
        QFontDialog dialog(start, QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Font"));
        const QFont opened = dialog.currentFont();
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return keptUnlessChanged(stored, opened, dialog.selectedFont());
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
