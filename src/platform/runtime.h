#pragma once

#include "platform/commondialogs.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tk {

class Picture;

// Message box styles and answers, numbered as the old toolkit numbered them.
inline constexpr int kMsgOkOnly = 0;
inline constexpr int kMsgOkCancel = 1;
inline constexpr int kMsgYesNo = 4;
inline constexpr int kMsgCritical = 16;
inline constexpr int kMsgQuestion = 32;
inline constexpr int kMsgExclamation = 48;
inline constexpr int kMsgInformation = 64;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// Shows a modal message box and returns the answer. Tests hand in one that records and answers at once.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual int show(const std::string& text, int style, const std::string& title) = 0;
};

// Ends the program. The real one leaves the event loop; tests record the request.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void exit(int code) = 0;
};

// Starts another program with an argument list (never through a shell) and does not wait for it.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Returns the process id, or nullopt when the program could not be started.
    virtual std::optional<std::int64_t> startDetached(const std::string& program,
                                                      const std::vector<std::string>& args) = 0;
};

// What the file probe found at a path.
struct ProbeResult {
    bool exists = false;
    bool isDirectory = false;
    bool isRegular = false;
    std::uint64_t size = 0;
    int error = 0; // 0, or the system's error number when the probe itself failed unexpectedly
};

class FileProbe {
public:
    virtual ~FileProbe() = default;
    virtual ProbeResult probe(const std::filesystem::path& path) = 0;
};

// The one uniform random source: numbers in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint64_t value) = 0;
    virtual float uniform() = 0;
};

// Wall-clock time for the clock display and seeding, and a monotonic clock for pacing.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() = 0;
    virtual std::chrono::steady_clock::time_point steadyNow() = 0;
    // Blocks for the given time without running the event loop (a virtual clock just advances).
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};

// Periodic timers that tick only from the event loop, never inside a running handler.
class TimerService {
public:
    virtual ~TimerService() = default;
    using TimerId = int;
    // Starts a periodic timer; `tick` runs every `intervalMs` until stop().
    virtual TimerId start(int intervalMs, std::function<void()> tick) = 0;
    virtual void stop(TimerId id) = 0;
};

// Shows the windows' new state at once during an animation loop, without processing any event.
class FrameStep {
public:
    virtual ~FrameStep() = default;
    // A loop of `steps` steps is about to run; spreads its frames over at most about half a second.
    virtual void begin(int steps) = 0;
    virtual void step() = 0;
    virtual void end() = 0;
};

// The other program's windows, as the station reaches them: found by window class, commanded by
// numbered messages with two 32-bit arguments and a 32-bit answer. The real one reaches the
// stand-in player over its local socket; tests hand in a fake player.
class WindowMessenger {
public:
    virtual ~WindowMessenger() = default;
    using Handle = std::int64_t; // 0 means no window
    virtual Handle findWindow(const std::string& windowClass) = 0;
    // The window's answer; nullopt when none came (the window is gone or silent). No answer is never
    // an answer of 0: the caller must not take it for one.
    virtual std::optional<std::int32_t> sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                                    std::int32_t lParam) = 0;
    // Why the last findWindow found no window although something was there: a window the station must
    // not talk to. Empty when nothing was found or nothing stood in the way.
    [[nodiscard]] virtual std::string refusal() const { return {}; }
    // Whether the program behind the window still runs.
    [[nodiscard]] virtual bool isWindow(Handle window) { return window != 0; }
    // Whether a search made afresh, as another program starting would make it, finds this very window:
    // false when its program runs on but can no longer be found (or no longer runs).
    [[nodiscard]] virtual bool isFindable(Handle window) { return isWindow(window); }
    // Whether the window owes the answer to a message it was sent and did not answer in time: until that
    // answer has come, a message sent to it is not even delivered, and gets no answer at once.
    [[nodiscard]] virtual bool isHung(Handle) { return false; }
    // Ends the program behind the window, for a program that no longer takes the close command; true
    // once it has ended.
    virtual bool endTask(Handle) { return false; }
};

// Loads picture files. Each component of the path is matched ignoring letter case; pictures decoded
// lately may be kept (CachingPictureLoader), but every load hands out a picture object of its own.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Throws RuntimeError 53 (missing) or 481 (not a picture).
    virtual Picture load(const std::filesystem::path& path) = 0;
    virtual std::optional<Picture> tryLoad(const std::filesystem::path& path) = 0;
};

// The screen the full-screen windows fill: the 1024×768-pixel design area is scaled uniformly to fit.
class Screen {
public:
    static constexpr int kDesignWidthPx = 1024;
    static constexpr int kDesignHeightPx = 768;
    static constexpr float kTwipsPerPixel = 15.0f;
    // The design area in twips (15360 × 11520): what the station's windows are laid out on.
    static constexpr float kDesignWidthTwips = kDesignWidthPx * kTwipsPerPixel;
    static constexpr float kDesignHeightTwips = kDesignHeightPx * kTwipsPerPixel;

    Screen(int widthPx, int heightPx);
    int widthPx() const { return m_widthPx; }
    int heightPx() const { return m_heightPx; }
    // Device pixels per design pixel.
    double scale() const { return m_scale; }
    // The screen's size in design twips (15360 × 11520 on a 4:3 screen).
    float widthTwips() const;
    float heightTwips() const;
    // Design twips to device pixels and back.
    int toPixels(double twips) const;
    double toTwips(double pixels) const;
    // Twips per device pixel in both directions (the old toolkit's TwipsPerPixelX/Y).
    float twipsPerPixel() const { return static_cast<float>(kTwipsPerPixel / m_scale); }

private:
    int m_widthPx;
    int m_heightPx;
    double m_scale;
};

// Every service the windows and controls use, handed in by main() or by a test.
struct Services {
    std::unique_ptr<MessageBoxService> messageBox;
    std::unique_ptr<ProgramExit> programExit;
    std::unique_ptr<ProcessLauncher> launcher;
    std::unique_ptr<FileProbe> fileProbe;
    std::unique_ptr<RandomSource> random;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<TimerService> timers;
    std::unique_ptr<FrameStep> frameStep;
    std::unique_ptr<PictureLoader> pictures;
    std::unique_ptr<WindowMessenger> windows;
    std::unique_ptr<CommonDialogs> dialogs;
    std::optional<Screen> screen;
};

// The services of one run of the station and its program folder. One runtime is current at a time;
// controls and handlers reach it through current().
class Runtime {
public:
    Runtime(std::filesystem::path programFolder, Services services);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static Runtime& current();
    static bool exists();

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    const std::string& appTitle() const { return m_appTitle; }

    MessageBoxService& messageBox() { return *m_services.messageBox; }
    ProcessLauncher& launcher() { return *m_services.launcher; }
    FileProbe& fileProbe() { return *m_services.fileProbe; }
    RandomSource& random() { return *m_services.random; }
    Clock& clock() { return *m_services.clock; }
    TimerService& timers() { return *m_services.timers; }
    FrameStep& frameStep() { return *m_services.frameStep; }
    PictureLoader& pictures() { return *m_services.pictures; }
    WindowMessenger& windows() { return *m_services.windows; }
    CommonDialogs& dialogs() { return *m_services.dialogs; }
    const Screen& screen() const { return *m_services.screen; }

    // Ends the program: asks the exit service once, then unwinds the running handler (ProgramEnded).
    [[noreturn]] void endProgram(int code = 0);
    bool ending() const { return m_ending; }

private:
    std::filesystem::path m_programFolder;
    std::string m_appTitle = "Tunnora";
    Services m_services;
    bool m_ending = false;
    Runtime* m_previous = nullptr;
};

// The real services over Qt and the operating system; fields left empty in `overrides` are filled.
Services realServices(Services overrides = {});

} // namespace tk
