#include "testruntime.h"

#include "fakeplayer.h"
#include "platform/backgroundpictures.h"
#include "skingen.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace testing_support {

namespace fs = std::filesystem;

fs::path TestRuntime::write(const std::string& relative, const std::string& bytes) const {
    return writeFile(m_folder.path(), relative, bytes);
}

fs::path writeFile(const fs::path& folder, const std::string& relative, const std::string& bytes) {
    const fs::path p = folder / relative;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

TestRuntime::TestRuntime(tk::Services s, TestOptions options) {
    if (!s.messageBox) {
        auto m = std::make_unique<FakeMessageBox>();
        m_messages = m.get();
        s.messageBox = std::move(m);
    }
    if (!s.programExit) {
        auto e = std::make_unique<FakeProgramExit>();
        m_exit = e.get();
        s.programExit = std::move(e);
    }
    if (!s.dialogs) {
        auto d = std::make_unique<FakeCommonDialogs>();
        m_dialogs = d.get();
        s.dialogs = std::move(d);
    }
    auto clock = std::make_unique<VirtualClock>();
    m_clock = clock.get();
    if (!s.clock) {
        s.clock = std::move(clock);
    } else {
        m_clock = nullptr;
        clock.reset();
    }

    if (options.fakePlayer) {
        if (!m_clock) {
            throw std::logic_error("the fake player needs the virtual clock");
        }
        m_player = std::make_unique<fakes::FakePlayer>(*m_clock);
        s.windows = m_player->messenger();
        s.launcher = m_player->launcher();
    }
    if (!s.timers) {
        if (!m_clock) {
            throw std::logic_error("virtual timers need the virtual clock");
        }
        auto t = std::make_unique<VirtualTimers>(*m_clock);
        m_timers = t.get();
        s.timers = std::move(t);
    }
    if (!s.frameStep) {
        auto f = std::make_unique<CountingFrameStep>();
        m_frames = f.get();
        s.frameStep = std::move(f);
    }
    if (!s.random) {
        auto r = std::make_unique<ScriptedRandom>();
        m_random = r.get();
        s.random = std::move(r);
    }
    if (!s.screen) {
        s.screen.emplace(tk::Screen::kDesignWidthPx, tk::Screen::kDesignHeightPx);
    }
    tk::Services services = tk::realServices(std::move(s));
    auto pictures = std::make_unique<NamedPictures>(std::move(services.pictures));
    m_pictures = pictures.get();
    services.pictures = std::move(pictures);
    m_runtime = std::make_unique<tk::Runtime>(m_folder.path(), std::move(services));
    if (options.skin) {
        installSkin();
    }
}

TestRuntime::~TestRuntime() {
    // Windows deleted later by the event loop must go while this runtime is still current.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_runtime.reset();
}

void TestRuntime::installSkin() {
    const skin::Result r = skin::generateSkin(m_folder.path());
    if (!r.ok()) {
        throw std::runtime_error("cannot write the skin: " + r.error);
    }
}

void TestRuntime::advance(int ms) {
    if (m_timers) {
        m_timers->advance(ms);
    }
    tk::BackgroundPictures::waitForAll();
    QCoreApplication::sendPostedEvents();
}

} // namespace testing_support
