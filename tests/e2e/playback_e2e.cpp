// tunnora-e2e-playback: runs the real station with the real stand-in player of a program folder on the
// display it is given, queues the current album through the playlist's own row append, presses the main
// bar's play element and lets the album play through, while as many other connections as it is given
// ask the player's state as fast as it answers, and, when given a hold time, with the player held still
// (stopped by a signal) for that long once the first song is past its first second. Then it checks that
// every song recorded had played to its end, the play counts in "Data.mld", the last-songs list, and the
// song labels of both windows, and ends the station with the exit element. Exits 0 when every check held.
#include "app/form1.h"
#include "app/station.h"
#include "library/recordstore.h"
#include "library/songrecord.h"
#include "platform/errors.h"
#include "platform/font.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/runtime.h"
#include "platform/timer.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "screen/form2.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>

namespace {

namespace fs = std::filesystem;

// Never waits for a user: every message is printed and answered OK.
class PrintedMessages final : public tk::MessageBoxService {
public:
    int show(const std::string& text, int, const std::string& title) override {
        std::fprintf(stderr, "message box \"%s\": %s\n", title.c_str(), text.c_str());
        ++shown;
        return tk::kAnswerOk;
    }
    int shown = 0;
};

namespace wire = playerwire;

// Connections of this user, besides the station's, that ask the player's state as fast as it answers
// and connect again whenever the player closes them: a script or a second tool polling the player.
class BusyClients {
public:
    BusyClients(fs::path socket, int count)
        : m_socket(std::move(socket))
        , m_connections(static_cast<std::size_t>(count))
        , m_thread([this] { run(); }) {}
    ~BusyClients() {
        m_stop = true;
        m_thread.join();
    }
    BusyClients(const BusyClients&) = delete;
    BusyClients& operator=(const BusyClients&) = delete;

    [[nodiscard]] long answers() const { return m_answers; }

private:
    struct Connection {
        wire::UniqueFd fd;
        std::size_t got = 0; // bytes of the awaited answer read so far
    };

    bool ask(Connection& c) {
        const auto request = wire::encodeRequest({wire::kMsgUser, 0, wire::kAskPlayState});
        c.got = 0;
        return ::send(c.fd.get(), request.data(), request.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(request.size());
    }

    void run() {
        std::vector<pollfd> fds;
        while (!m_stop) {
            fds.clear();
            for (Connection& c : m_connections) {
                if (!c.fd) {
                    c.fd = wire::connectToSocket(m_socket);
                    if (c.fd && !ask(c)) {
                        c.fd.reset();
                    }
                }
                fds.push_back({c.fd ? c.fd.get() : -1, POLLIN, 0});
            }
            if (::poll(fds.data(), fds.size(), 10) <= 0) {
                continue;
            }
            for (std::size_t i = 0; i < fds.size(); ++i) {
                Connection& c = m_connections[i];
                if (fds[i].revents == 0 || !c.fd) {
                    continue;
                }
                std::uint8_t reply[wire::kReplySize];
                const ssize_t n = ::recv(c.fd.get(), reply, sizeof reply - c.got, MSG_DONTWAIT);
                if (n <= 0) {
                    c.fd.reset(); // closed by the player: connect again at the next turn
                    continue;
                }
                c.got += static_cast<std::size_t>(n);
                if (c.got == wire::kReplySize) {
                    ++m_answers;
                    if (!ask(c)) {
                        c.fd.reset();
                    }
                }
            }
        }
    }

    fs::path m_socket;
    std::vector<Connection> m_connections;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_answers{0};
    std::thread m_thread;
};

// Holds the player process still (stopped by a signal) from its making for a while, and then lets it go
// on from a thread of its own, so that the station waiting for the held player does not stretch the hold.
class PlayerHold {
public:
    PlayerHold(pid_t player, std::chrono::milliseconds length)
        // A process id of 0 would stop the whole process group.
        : m_held(player > 0 && ::kill(player, SIGSTOP) == 0)
        , m_thread([this, player, length] {
            if (m_held) {
                std::this_thread::sleep_for(length);
                ::kill(player, SIGCONT);
            }
            m_over = true;
        }) {}
    ~PlayerHold() { m_thread.join(); }
    PlayerHold(const PlayerHold&) = delete;
    PlayerHold& operator=(const PlayerHold&) = delete;

    [[nodiscard]] bool held() const { return m_held; }
    [[nodiscard]] bool over() const { return m_over; }

private:
    const bool m_held;
    std::atomic<bool> m_over{false};
    std::thread m_thread;
};

int failures = 0;

void check(bool held, const std::string& what) {
    if (!held) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++failures;
    }
}

void same(const std::string& seen, const std::string& wanted, const std::string& what) {
    check(seen == wanted, what + ": \"" + seen + "\", wanted \"" + wanted + "\"");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: tunnora-e2e-playback PROGRAM-FOLDER [BUSY-CONNECTIONS [HOLD-MS]]\n");
        return 2;
    }
    const int busyConnections = argc >= 3 ? std::stoi(argv[2]) : 0;
    const std::chrono::milliseconds holdTime(argc == 4 ? std::stoi(argv[3]) : 0);
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    std::setlocale(LC_NUMERIC, "C");
    tk::installFontSubstitutes();

    const fs::path folder = argv[1];
    auto messages = std::make_unique<PrintedMessages>();
    PrintedMessages& shown = *messages;
    tk::Services services;
    services.messageBox = std::move(messages);
    tk::Runtime runtime(folder, tk::realServices(std::move(services)));
    Station station(runtime);
    if (!station.start()) {
        std::fprintf(stderr, "FAILED: the station ended during its start\n");
        return 1;
    }
    Form1& f = station.form1();
    Form2& screen = station.form2();

    // The current album, as its song page lists it, into the playlist.
    tk::ListView& album = *f.SingleView;
    const int songs = album.count();
    check(songs >= 2, "the current album lists its songs");
    std::set<int> queued;
    for (int row = 1; row <= songs; ++row) {
        const auto cell = [&](int c) { return album.subItem(row, c); };
        f.appendPlaylistRow({cell(1), cell(2), cell(3), cell(4), cell(5), cell(6)});
        queued.insert(std::stoi(cell(6)));
    }
    f.playback.NextIndex = 1;
    tk::dispatch([&] { f.switch_Click(3); });
    std::optional<BusyClients> busy;
    if (busyConnections > 0) {
        busy.emplace(wire::playerSocketPath(), busyConnections);
    }

    // Let the album play through: every song in the last-songs list and the end-of-song timer off.
    // Each song recorded must have been seen playing past its first second (the elapsed time the
    // player reported for it): a song taken for ended while the player did not answer never gets there.
    // Wall-clock time is no measure here, since a loaded machine delays the poll that sees a song start.
    using SteadyClock = std::chrono::steady_clock;
    bool sawLength = false;
    bool sawPlaying = false;
    std::set<int> pastFirstSecond;
    int recorded = 0;
    // The hold begins at the first tick of the position timer that finds the first song past its first
    // second, and the timer asks once more at once: that request certainly meets the held player.
    // After the hold the station must show a song's time and length again.
    std::optional<PlayerHold> hold;
    bool followedAfterHold = false;
    if (holdTime.count() > 0) {
        f.Timer3->timer.connect([&] {
            f.Timer3_Timer();
            if (!hold && f.Label1[12].caption() >= "00:01") {
                pastFirstSecond.insert(f.playback.PlayingRecordNo);
                std::string problem;
                hold.emplace(wire::connectToPlayer(wire::playerSocketPath(), &problem).pid, holdTime);
                f.Timer3_Timer();
            }
        });
    }
    QEventLoop loop;
    QTimer poll;
    const auto deadline = SteadyClock::now() + std::chrono::seconds(60);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const auto now = SteadyClock::now();
        if (f.Label1[12].caption() >= "00:01") {
            pastFirstSecond.insert(f.playback.PlayingRecordNo);
        }
        followedAfterHold = followedAfterHold || (hold && hold->over() && f.Label1[12].caption() >= "00:01" &&
                                                  f.Label1[13].caption() == "00:02");
        for (; recorded < f.PrevView->count(); ++recorded) {
            const int record = std::stoi(f.PrevView->subItem(recorded + 1, 6));
            check(pastFirstSecond.count(record) == 1,
                  "record " + std::to_string(record) + " recorded before it played its first second");
        }
        sawLength =
            sawLength || (f.Label1[13].caption() == "00:02" && screen.F2_Label1[13].caption() == "00:02");
        sawPlaying = sawPlaying || f.playback.ShownPlayState == "PLAYING";
        if ((f.PrevView->count() >= songs && !f.Timer1->enabled()) || now > deadline) {
            loop.quit();
        }
    });
    poll.start(50);
    loop.exec();

    check(sawLength, "the length of a playing song showed on both windows");
    check(sawPlaying, "the bar showed the playing state");
    if (holdTime.count() > 0) {
        check(hold && hold->held(), "the player was held still");
        check(followedAfterHold, "after the hold the station showed a song's time and length again");
    }
    same(std::to_string(f.PrevView->count()), std::to_string(songs), "songs in the last-songs list");
    for (int row = 1; row <= std::min(songs, f.PrevView->count()); ++row) {
        same(f.PrevView->subItem(row, 2), album.subItem(row, 2), "last-songs row " + std::to_string(row));
    }
    const std::string last = album.subItem(songs, 2);
    for (int k : {0, 4}) {
        same(f.Label1[k].caption(), last, "main window label " + std::to_string(k));
        same(screen.F2_Label1[k].caption(), last, "playing-now screen label " + std::to_string(k));
    }
    same(f.Label1[3].caption(), std::to_string(songs), "songs played, main window");
    same(screen.F2_Label1[3].caption(), std::to_string(songs), "songs played, playing-now screen");
    same(f.Label1[11].caption(), "1/" + std::to_string(songs), "next-song counter");
    check(f.caption().rfind("WinAMP Version# ", 0) == 0, "the window caption names the player's version");

    const auto data = library::RecordStore<library::SongRecord>::load(folder / "Data.mld");
    check(!data.error, "Data.mld reads");
    for (std::size_t i = 0; i < data.records.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        same(data.records[i].playedTimes, queued.count(number) ? "1" : "",
             "play count of record " + std::to_string(number));
    }
    check(shown.shown == 0, "no message box came up");

    // The exit element closes the player, however busy other connections keep it.
    tk::dispatch([&] { f.switch_Click(9); });
    if (busy) {
        check(busy->answers() > 0, "the busy connections got answers");
        std::fprintf(stderr, "%d busy connections got %ld answers\n", busyConnections, busy->answers());
        busy.reset();
    }
    std::fprintf(stderr, "%s: %d songs played through, %d failed checks\n", failures ? "FAILED" : "passed",
                 songs, failures);
    return failures == 0 ? 0 : 1;
}
