#include "stationdriver.h"

#include "library/recordstore.h"
#include "library/songrecord.h"
#include "platform/errors.h"
#include "platform/font.h"
#include "platform/listview.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "screen/form2.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>

namespace e2e {

namespace wire = playerwire;

int PrintedMessages::show(const std::string& text, int, const std::string& title) {
    std::fprintf(stderr, "message box \"%s\": %s\n", title.c_str(), text.c_str());
    ++shown;
    return tk::kAnswerOk;
}

std::optional<std::int64_t> WatchedLauncher::startDetached(const std::string& program,
                                                           const std::vector<std::string>& args) {
    const auto pid = m_real->startDetached(program, args);
    if (pid && started) {
        started(args, *pid);
    }
    return pid;
}

std::optional<std::int32_t> WatchedWindows::sendMessage(Handle window, std::uint32_t message,
                                                        std::int32_t wParam, std::int32_t lParam) {
    if (sending) {
        sending(message, wParam, lParam);
    }
    return m_real->sendMessage(window, message, wParam, lParam);
}

PlayerHold::PlayerHold(pid_t player, std::chrono::milliseconds length)
    // A process id of 0 would stop the whole process group.
    : m_held(player > 0 && ::kill(player, SIGSTOP) == 0)
    , m_thread([this, player, length] {
        if (m_held) {
            std::this_thread::sleep_for(length);
            ::kill(player, SIGCONT);
        }
        m_over = true;
    }) {}

PlayerHold::~PlayerHold() {
    m_thread.join();
}

PlayerStuck::PlayerStuck(pid_t player)
    // Every request to the traced process comes from the thread that attached to it.
    : m_thread([this, player] {
        const bool seized = player > 0 && ::ptrace(PTRACE_SEIZE, player, nullptr, nullptr) == 0;
        int status = 0;
        m_held = seized && ::ptrace(PTRACE_INTERRUPT, player, nullptr, nullptr) == 0 &&
                 ::waitpid(player, &status, __WALL) == player;
        m_decided = true;
        bool ended = false;
        // Whatever stops it further (the signals it is sent) is left unanswered, so it stays held.
        while (seized && !m_release && !ended) {
            const pid_t seen = ::waitpid(player, &status, __WALL | WNOHANG);
            ended = seen == player && (WIFEXITED(status) || WIFSIGNALED(status));
            if (seen == -1 && errno == ECHILD) {
                ended = true;
            }
            std::this_thread::sleep_for(10ms);
        }
        if (seized && !ended) {
            ::ptrace(PTRACE_DETACH, player, nullptr, nullptr);
        }
    }) {
    while (!m_decided) {
        std::this_thread::sleep_for(1ms);
    }
}

PlayerStuck::~PlayerStuck() {
    m_release = true;
    m_thread.join();
}

pid_t playerProcess() {
    std::string problem;
    return wire::connectToPlayer(wire::playerSocketPath(), &problem).pid;
}

std::optional<std::int32_t> askPlayer(std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
    std::string problem;
    const wire::PlayerConnection player = wire::connectToPlayer(wire::playerSocketPath(), &problem);
    if (!player.fd) {
        return std::nullopt;
    }
    return wire::exchange(player.fd.get(), wire::encodeRequest({message, wParam, lParam}), 500ms);
}

std::optional<std::int32_t> playerState() {
    return askPlayer(wire::kMsgUser, 0, wire::kAskPlayState);
}

namespace {
int g_failures = 0;
}

void check(bool held, const std::string& what) {
    if (!held) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++g_failures;
    }
}

void same(const std::string& seen, const std::string& wanted, const std::string& what) {
    check(seen == wanted, what + ": \"" + seen + "\", wanted \"" + wanted + "\"");
}

int failures() {
    return g_failures;
}

struct StationRun::Impl {
    Impl(int& argc, char** argv)
        : app(argc, argv) {}
    QApplication app;
    std::unique_ptr<tk::Runtime> runtime;
    std::unique_ptr<Station> station;
};

StationRun::StationRun(int& argc, char** argv, const std::filesystem::path& programFolder)
    : folder(programFolder)
    , m_impl(std::make_unique<Impl>(argc, argv)) {
    std::signal(SIGPIPE, SIG_IGN);
    QApplication::setQuitOnLastWindowClosed(false);
    std::setlocale(LC_NUMERIC, "C");
    tk::installFontSubstitutes();
    auto messages = std::make_unique<PrintedMessages>();
    m_messages = messages.get();
    tk::Services overrides;
    overrides.messageBox = std::move(messages);
    tk::Services services = tk::realServices(std::move(overrides));
    auto watched = std::make_unique<WatchedLauncher>(std::move(services.launcher));
    launcher = watched.get();
    services.launcher = std::move(watched);
    auto watchedWindows = std::make_unique<WatchedWindows>(std::move(services.windows));
    windows = watchedWindows.get();
    services.windows = std::move(watchedWindows);
    m_impl->runtime = std::make_unique<tk::Runtime>(folder, std::move(services));
    m_impl->station = std::make_unique<Station>(*m_impl->runtime);
}

StationRun::~StationRun() = default;

bool StationRun::start() {
    const bool started = m_impl->station->start();
    check(started, "the station started");
    return started;
}

Form1& StationRun::f() {
    return m_impl->station->form1();
}

Form2& StationRun::screen() {
    return m_impl->station->form2();
}

bool StationRun::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                          const std::function<void()>& each) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool held = done();
    if (held) {
        return true;
    }
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (each) {
            each();
        }
        held = done();
        if (held || std::chrono::steady_clock::now() >= deadline) {
            loop.quit();
        }
    });
    poll.start(20);
    loop.exec();
    return held;
}

void StationRun::runFor(std::chrono::milliseconds time) {
    runUntil([] { return false; }, time);
}

std::vector<int> StationRun::queueCurrentAlbum(int most) {
    Form1& form = f();
    tk::ListView& album = *form.SingleView;
    std::vector<int> records;
    const int rows = most < 0 ? album.count() : std::min(most, album.count());
    for (int row = 1; row <= rows; ++row) {
        const auto cell = [&](int c) { return album.subItem(row, c); };
        form.appendPlaylistRow({cell(1), cell(2), cell(3), cell(4), cell(5), cell(6)});
        records.push_back(std::stoi(cell(6)));
    }
    form.playback.NextIndex = 1;
    return records;
}

void StationRun::bar(int element) {
    tk::dispatch([&] { f().switch_Click(element); });
}

void StationRun::exit() {
    bar(9);
}

void checkCounts(const std::filesystem::path& folder, const std::function<bool(int)>& counted) {
    const auto data = library::RecordStore<library::SongRecord>::load(folder / "Data.mld");
    check(!data.error, "Data.mld reads");
    for (std::size_t i = 0; i < data.records.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        same(data.records[i].playedTimes, counted(number) ? "1" : "",
             "play count of record " + std::to_string(number));
    }
}

std::vector<int> lastSongs(Form1& f) {
    std::vector<int> records;
    for (int row = 1; row <= f.PrevView->count(); ++row) {
        records.push_back(std::stoi(f.PrevView->subItem(row, 6)));
    }
    return records;
}

} // namespace e2e
