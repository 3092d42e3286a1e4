#include "platform/runtime.h"

#include "platform/errors.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <stdexcept>

namespace tk {

namespace {
Runtime* g_current = nullptr;
}

Screen::Screen(int widthPx, int heightPx)
    : m_widthPx(widthPx)
    , m_heightPx(heightPx)
    , m_scale(std::min(static_cast<double>(widthPx) / kDesignWidthPx,
                       static_cast<double>(heightPx) / kDesignHeightPx)) {
    if (m_scale <= 0) {
        m_scale = 1.0;
    }
}

float Screen::widthTwips() const {
    return static_cast<float>(toTwips(m_widthPx));
}
float Screen::heightTwips() const {
    return static_cast<float>(toTwips(m_heightPx));
}

int Screen::toPixels(double twips) const {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * m_scale));
}

double Screen::toTwips(double pixels) const {
    return pixels / m_scale * kTwipsPerPixel;
}

Runtime::Runtime(std::filesystem::path programFolder, Services services)
    : m_programFolder(std::move(programFolder))
    , m_services(std::move(services))
    , m_previous(g_current) {
    if (!m_services.screen) {
        m_services.screen.emplace(Screen::kDesignWidthPx, Screen::kDesignHeightPx);
    }
    g_current = this;
}

Runtime::~Runtime() {
    g_current = m_previous;
}

Runtime& Runtime::current() {
    if (!g_current) {
        throw std::logic_error("no runtime");
    }
    return *g_current;
}

bool Runtime::exists() {
    return g_current != nullptr;
}

void Runtime::endProgram(int code) {
    if (!m_ending) {
        m_ending = true;
        if (m_services.programExit) {
            m_services.programExit->exit(code);
        }
    }
    throw ProgramEnded{};
}

} // namespace tk
