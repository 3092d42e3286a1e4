// tunnora-e2e-playback: runs the real station with the real stand-in player of a program folder on the
// display it is given, queues the current album through the playlist's own row append, presses the main
// bar's play element and lets the album play through, while as many other connections as it is given
// ask the player's state as fast as it answers, and, when given a hold time, with the player held still
// (stopped by a signal) for that long once the first song is past its first second, or, when told
// "handover", from the moment the station hands the second song to the player. Then it checks that
// every song recorded had played to its end, the play counts in "Data.mld", the last-songs list, and the
// song labels of both windows, and ends the station with the exit element. Exits 0 when every check held.
#include "app/form1.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/timer.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "screen/form2.h"
#include "stationdriver.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>

namespace {

namespace fs = std::filesystem;
namespace wire = playerwire;
using namespace std::chrono_literals;
using e2e::check;
using e2e::same;

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

} // namespace

int main(int argc, char** argv) {
    const bool atHandOver = argc == 5 && std::string(argv[4]) == "handover";
    if (argc < 2 || argc > 5 || (argc == 5 && !atHandOver)) {
        std::fprintf(stderr,
                     "usage: tunnora-e2e-playback PROGRAM-FOLDER [BUSY-CONNECTIONS [HOLD-MS [handover]]]\n");
        return 2;
    }
    const int busyConnections = argc >= 3 ? std::stoi(argv[2]) : 0;
    const std::chrono::milliseconds holdTime(argc >= 4 ? std::stoi(argv[3]) : 0);
    e2e::StationRun run(argc, argv, argv[1]);
    if (!run.start()) {
        return 1;
    }
    Form1& f = run.f();
    Form2& screen = run.screen();

    tk::ListView& album = *f.SingleView;
    const std::vector<int> records = run.queueCurrentAlbum();
    const int songs = static_cast<int>(records.size());
    check(songs >= 2, "the current album lists its songs");
    const std::set<int> queued(records.begin(), records.end());

    // Let the album play through: every song in the last-songs list and the end-of-song timer off.
    // Each song recorded must have been seen playing past its first second (the elapsed time the
    // player reported for it): a song taken for ended while the player did not answer never gets there.
    // Wall-clock time is no measure here, since a loaded machine delays the poll that sees a song start.
    bool sawLength = false;
    bool sawPlaying = false;
    std::set<int> pastFirstSecond;
    int recorded = 0;
    std::optional<e2e::PlayerHold> hold;
    bool followedAfterHold = false;
    if (holdTime.count() > 0 && atHandOver) {
        // The hold begins the moment the station has started the hand-over of the second row to the
        // player, as the end-of-song advance does.
        const std::string second = album.subItem(2, 5);
        run.launcher->started = [&](const std::vector<std::string>& args, std::int64_t) {
            if (!hold && args.size() == 2 && args[0] == "/ADD" && args[1] == second) {
                hold.emplace(e2e::playerProcess(), holdTime);
            }
        };
    } else if (holdTime.count() > 0) {
        // The hold begins at the first tick of the position timer that finds the first song past its
        // first second, and the timer asks once more at once: that request certainly meets the held
        // player.
        f.Timer3->timer.connect([&] {
            f.Timer3_Timer();
            if (!hold && f.Label1[12].caption() >= "00:01") {
                pastFirstSecond.insert(f.playback.PlayingRecordNo);
                hold.emplace(e2e::playerProcess(), holdTime);
                f.Timer3_Timer();
            }
        });
    }
    run.bar(3);
    std::optional<BusyClients> busy;
    if (busyConnections > 0) {
        busy.emplace(wire::playerSocketPath(), busyConnections);
    }
    run.runUntil(
        [&] { return f.PrevView->count() >= songs && !f.Timer1->enabled(); }, 60s,
        [&] {
            if (f.Label1[12].caption() >= "00:01") {
                pastFirstSecond.insert(f.playback.PlayingRecordNo);
            }
            // After the hold the station must show a song's time and length again.
            followedAfterHold =
                followedAfterHold || (hold && hold->over() && f.Label1[12].caption() >= "00:01" &&
                                      f.Label1[13].caption() == "00:02");
            for (; recorded < f.PrevView->count(); ++recorded) {
                const int record = std::stoi(f.PrevView->subItem(recorded + 1, 6));
                check(pastFirstSecond.count(record) == 1,
                      "record " + std::to_string(record) + " recorded before it played its first second");
            }
            sawLength =
                sawLength || (f.Label1[13].caption() == "00:02" && screen.F2_Label1[13].caption() == "00:02");
            sawPlaying = sawPlaying || f.playback.ShownPlayState == "PLAYING";
        });

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
    e2e::checkCounts(run.folder, [&](int record) { return queued.count(record) == 1; });
    check(run.messagesShown() == 0, "no message box came up");

    // The exit element closes the player, however busy other connections keep it.
    run.exit();
    if (busy) {
        check(busy->answers() > 0, "the busy connections got answers");
        std::fprintf(stderr, "%d busy connections got %ld answers\n", busyConnections, busy->answers());
        busy.reset();
    }
    std::fprintf(stderr, "%s: %d songs played through, %d failed checks\n",
                 e2e::failures() ? "FAILED" : "passed", songs, e2e::failures());
    return e2e::failures() == 0 ? 0 : 1;
}
