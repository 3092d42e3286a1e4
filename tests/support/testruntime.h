#pragma once

#include "fakeservices.h"
#include "fixtures/tempfolder.h"
#include "platform/runtime.h"

#include <filesystem>
#include <memory>
#include <string>

namespace fakes {
class FakePlayer;
}

namespace testing_support {

struct TestOptions {
    bool fakePlayer = false; // the player is an in-process fake on the virtual clock
    bool skin = false;       // the program folder holds the generated default skin
};

// Writes a file below `folder` (creating folders on the way) and returns its path.
std::filesystem::path writeFile(const std::filesystem::path& folder, const std::string& relative,
                                const std::string& bytes);

// A runtime on a temporary program folder with the fakes a test needs: message boxes recorded,
// the end of the program recorded, a virtual clock with virtual timers, frames counted, a 1024×768
// screen. Pictures, files and processes are real unless a test hands in its own.
class TestRuntime {
public:
    explicit TestRuntime(tk::Services overrides = {}, TestOptions options = {});
    explicit TestRuntime(TestOptions options)
        : TestRuntime(tk::Services{}, options) {}
    ~TestRuntime();

    tk::Runtime& runtime() { return *m_runtime; }
    const std::filesystem::path& programFolder() const { return m_folder.path(); }
    const fixtures::TempFolder& folder() const { return m_folder; }
    // Writes a file below the program folder (creating folders on the way) and returns its path.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;

    FakeMessageBox& messages() { return *m_messages; }
    FakeProgramExit& programExit() { return *m_exit; }
    FakeCommonDialogs& dialogs() { return *m_dialogs; }
    VirtualClock& clock() { return *m_clock; }
    VirtualTimers& timers() { return *m_timers; }
    CountingFrameStep& frames() { return *m_frames; }
    ScriptedRandom& random() { return *m_random; }
    // The file name a picture was loaded from ("Switch-On.jpg"), empty for a picture not loaded.
    std::string pictureName(const tk::Picture& picture) const { return m_pictures->nameOf(picture); }
    fakes::FakePlayer& player() { return *m_player; }

    // Writes the generated default skin into the program folder.
    void installSkin();

    // Advances the virtual clock, firing due timers, then waits for the pictures being decoded in the
    // background and lets Qt deliver posted events, their results among them.
    void advance(int ms);

private:
    fixtures::TempFolder m_folder;
    FakeMessageBox* m_messages = nullptr;
    FakeProgramExit* m_exit = nullptr;
    FakeCommonDialogs* m_dialogs = nullptr;
    VirtualClock* m_clock = nullptr;
    VirtualTimers* m_timers = nullptr;
    CountingFrameStep* m_frames = nullptr;
    ScriptedRandom* m_random = nullptr;
    NamedPictures* m_pictures = nullptr;
    std::unique_ptr<fakes::FakePlayer> m_player;
    std::unique_ptr<tk::Runtime> m_runtime;
};

} // namespace testing_support
