#include "app/animation.h"

#include "platform/control.h"
#include "platform/runtime.h"

#include <cmath>

int positionCount(float from, float to, float step) {
    if (step == 0) {
        return 1;
    }
    const double steps = (static_cast<double>(to) - from) / step;
    return steps < 0 ? 0 : static_cast<int>(std::floor(steps)) + 1;
}

void animate(int count, const std::function<void(int)>& place) {
    tk::FrameStep& frames = tk::Runtime::current().frameStep();
    frames.begin(count);
    for (int k = 0; k < count; ++k) {
        place(k);
        frames.step();
    }
    frames.end();
}

void slideTop(tk::Control& page, tk::Control& follower, float from, float to, float step) {
    animate(positionCount(from, to, step), [&](int k) {
        const float top = from + static_cast<float>(k) * step;
        page.setTop(top);
        follower.setTop(top);
    });
}
