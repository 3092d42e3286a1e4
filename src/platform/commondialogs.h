#pragma once

#include "platform/color.h"
#include "platform/font.h"

#include <memory>
#include <optional>

namespace tk {

// The standard font and colour dialogs, shown modally over the active window. Each answers nothing
// when the user cancels. Tests hand in dialogs that answer at once.
class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // Screen fonts: the face name, the size in points, the weight and italic.
    virtual std::optional<FontSpec> chooseFont(const FontSpec& initial) = 0;
    // One colour; the answer is an RGB value.
    virtual std::optional<OleColor> chooseColor(OleColor initial) = 0;
};

// The dialogs of the toolkit.
std::unique_ptr<CommonDialogs> toolkitCommonDialogs();

} // namespace tk
