// The real stand-in player only: one player per user, the hand-over of "/ADD" starts, paths that
// must not be taken apart, a player that dies mid-song, and the socket protocol itself.

#include "platform/errors.h"
#include "platform/playerwindows.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "playerrig.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace playertest {
namespace {

namespace wire = playerwire;
namespace fs = std::filesystem;

class StandIn : public ::testing::Test {
protected:
    RealRig rig;
    WinAMP_Control& link = rig.link;
    const std::string program = (programFolder() / "tunnora-player").string();

    pid_t start(std::vector<std::string> args = {}) {
        const auto pid = rig.launcher->startDetached(program, args);
        EXPECT_TRUE(pid.has_value());
        return static_cast<pid_t>(pid.value_or(0));
    }
    bool found() {
        return rig.waitFor([&] { return link.FindWinAMP(); }, 10s);
    }
    std::int32_t revision() { return rig.raw(wire::kMsgAskListRevision); }
};

TEST_F(StandIn, SecondStartEndsAtOnceAndTheFirstStaysThePlayer) {
    const pid_t first = start();
    ASSERT_TRUE(found());
    const pid_t second = start();
    EXPECT_EQ(rig.launcher->exitCode(second, 5s), 0);
    EXPECT_TRUE(rig.launcher->alive(first));
    EXPECT_EQ(link.WinAMP_GetVersion(), "1.010");
}

TEST_F(StandIn, HandOverIsAcknowledgedOnlyForPlayableFiles) {
    start();
    ASSERT_TRUE(found());
    const auto song = rig.makeSong("song.mp3", 2);
    const auto before = revision();
    EXPECT_EQ(rig.launcher->exitCode(start({"/ADD", song.string()}), 5s), 0);
    EXPECT_NE(revision(), before);
    for (const std::string& bad : {std::string("song.mp3"), (rig.folder.path() / "missing.mp3").string(),
                                   rig.folder.path().string(), "/" + std::string(5000, 'x')}) {
        EXPECT_EQ(rig.launcher->exitCode(start({"/ADD", bad}), 5s), 1) << bad.substr(0, 80);
    }
    EXPECT_EQ(rig.launcher->exitCode(start({"/PLAY"}), 5s), 2);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
}

TEST_F(StandIn, TwoRacingStartsLeaveOnePlayerHoldingBothFiles) {
    const auto a = rig.makeSong("a.mp3", 2);
    const auto b = rig.makeSong("b.mp3", 2);
    const pid_t first = start({"/ADD", a.string()});
    const pid_t second = start({"/ADD", b.string()});
    ASSERT_TRUE(found());
    ASSERT_TRUE(rig.waitFor([&] { return !rig.launcher->alive(first) || !rig.launcher->alive(second); }));
    const pid_t ended = rig.launcher->alive(first) ? second : first;
    EXPECT_EQ(rig.launcher->exitCode(ended, 1s), 0);
    EXPECT_EQ(rig.launcher->alive(first) + rig.launcher->alive(second), 1);
    EXPECT_EQ(revision(), 3); // the first revision is 1; each file taken adds one
}

TEST_F(StandIn, PathsWithBlanksQuotesALeadingDashAndOtherLettersPlay) {
    link.InitWinAMP(rig.host);
    const std::vector<std::string> names = {
        "a b.mp3",       "say \"hi\".mp3", "-rf --no.mp3", "Ünïcødé ßong 曲.mp3", "x.mp3; touch pwned",
        "it's $HOME.mp3"};
    for (const auto& name : names) {
        const auto song = rig.makeSong(name, 2);
        link.WinAMP_ClearPlaylist();
        ASSERT_TRUE(link.WinAMP_AddFile(song.string())) << name;
        link.WinAMP_SendCommand(wire::kCommandPlay);
        EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING") << name;
        // The length is known only once the file really opened.
        EXPECT_TRUE(rig.waitFor([&] { return link.WinAMP_GetLength() == 2; }, 5s)) << name;
    }
    EXPECT_FALSE(fs::exists("pwned"));
    EXPECT_TRUE(rig.shown().empty());
}

TEST_F(StandIn, PlayerKilledMidSongGivesNoStateAndTheNextInitStartsAFreshOne) {
    ::signal(SIGPIPE, SIG_DFL); // the link must not rely on SIGPIPE being ignored
    rig.startWithSong("long.mp3", 60);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    ASSERT_EQ(link.WinAMP_GetStatus(), "PLAYING");
    const pid_t player = rig.launcher->pids().front();
    ASSERT_EQ(::kill(player, SIGKILL), 0);
    ASSERT_TRUE(rig.waitFor([&] { return link.playerGone(); }, 5s));
    ASSERT_TRUE(rig.launcher->exitCode(player, 5s).has_value());
    EXPECT_EQ(link.WinAMP_GetStatus(), "");
    EXPECT_EQ(link.WinAMP_GetPosition(), 0);
    link.WinAMP_SendCommand(wire::kCommandStop);
    EXPECT_FALSE(link.FindWinAMP());
    link.InitWinAMP(rig.host);
    const auto song = rig.makeSong("again.mp3", 10);
    link.WinAMP_ClearPlaylist();
    ASSERT_TRUE(link.WinAMP_AddFile(song.string()));
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
    EXPECT_TRUE(rig.shown().empty());
}

TEST_F(StandIn, ClosingAPlayerWhoseWindowWentSilentFindsItAgainAndClosesIt) {
    link.InitWinAMP(rig.host);
    const pid_t player = rig.launcher->pids().front();
    // Held still past the reply time: the request gets no answer and the held window is dead.
    ASSERT_EQ(::kill(player, SIGSTOP), 0);
    EXPECT_EQ(link.WinAMP_GetStatus(), "");
    ASSERT_EQ(::kill(player, SIGCONT), 0);
    link.closePlayer();
    EXPECT_EQ(rig.launcher->exitCode(player, 5s), 0);
    EXPECT_TRUE(rig.shown().empty());
}

TEST_F(StandIn, ClosingAPlayerStillHeldEndsItWithoutWaitingForItAndItGivesUpItsSocket) {
    link.InitWinAMP(rig.host);
    const pid_t player = rig.launcher->pids().front();
    ASSERT_FALSE(link.playerGone());
    ASSERT_EQ(::kill(player, SIGSTOP), 0);
    EXPECT_EQ(link.WinAMP_GetStatus(), "");
    const auto began = std::chrono::steady_clock::now();
    link.closePlayer();
    EXPECT_LT(std::chrono::steady_clock::now() - began, tk::PlayerWindows::kDefaultReplyTime);
    // Ended as a process: told to end and let go on, so it ends as it does when closed.
    EXPECT_EQ(rig.launcher->exitCode(player, 5s), 0);
    EXPECT_FALSE(fs::exists(rig.socketPath()));
    EXPECT_TRUE(link.playerGone());
    EXPECT_TRUE(rig.shown().empty());
}

TEST_F(StandIn, APlayerHeldStillPastTheReplyTimeIsFollowedAgainOnTheSameHandleOnceItGoesOn) {
    rig.startWithSong("held.mp3", 60);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    ASSERT_EQ(link.WinAMP_GetStatus(), "PLAYING");
    // The length is known only once the file really opened.
    ASSERT_TRUE(rig.waitFor([&] { return link.WinAMP_GetLength() == 60; }, 5s));
    const auto handle = link.hWinAMP;
    const std::int32_t position = link.WinAMP_GetPosition();
    const pid_t player = rig.launcher->pids().front();
    ASSERT_EQ(::kill(player, SIGSTOP), 0);
    EXPECT_EQ(link.WinAMP_GetStatus(), "");
    // The song's place as the player last gave it: the screen keeps it while the player is silent.
    EXPECT_EQ(link.WinAMP_GetPosition(), position);
    EXPECT_EQ(link.WinAMP_GetLength(), 60);
    ASSERT_EQ(::kill(player, SIGCONT), 0);
    // Without the window being found again: the timers only ask.
    EXPECT_TRUE(rig.waitFor([&] { return link.WinAMP_GetStatus() == "PLAYING"; }, 5s));
    EXPECT_EQ(link.WinAMP_GetLength(), 60);
    EXPECT_EQ(link.hWinAMP, handle);
    link.WinAMP_SendCommand(wire::kCommandStop);
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
    EXPECT_TRUE(rig.shown().empty());
}

// A connection of the test's own, speaking the wire protocol byte by byte.
class RawConnection {
public:
    explicit RawConnection(const fs::path& socket)
        : m_fd(wire::connectToSocket(socket)) {}
    bool valid() const { return m_fd.valid(); }
    bool closedByPlayer() const { return wire::peerClosed(m_fd.get()); }
    bool write(std::span<const std::uint8_t> bytes) {
        return wire::sendAllBytes(m_fd.get(), bytes, std::chrono::steady_clock::now() + 2s);
    }
    std::optional<std::int32_t> read() {
        std::array<std::uint8_t, 4> reply{};
        if (!wire::receiveExact(m_fd.get(), reply, std::chrono::steady_clock::now() + 2s)) {
            return std::nullopt;
        }
        return wire::decodeReply(reply);
    }

private:
    wire::UniqueFd m_fd;
};

// A socket of the test's own bound to `path`, made by this process; invalid when it cannot be bound.
wire::UniqueFd bindAt(const fs::path& path) {
    wire::UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    if (::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return {};
    }
    return socket;
}

// The same socket, listening.
wire::UniqueFd listenAt(const fs::path& path) {
    wire::UniqueFd listener = bindAt(path);
    if (!listener || ::listen(listener.get(), 4) != 0) {
        return {};
    }
    return listener;
}

bool connectionWaiting(const wire::UniqueFd& listener) {
    pollfd p{listener.get(), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

// The player's end of a connection the link made, taken from a listener of the test's own within two
// seconds (invalid when none came).
class PlayerEnd {
public:
    explicit PlayerEnd(const wire::UniqueFd& listener) {
        pollfd p{listener.get(), POLLIN, 0};
        if (::poll(&p, 1, 2000) > 0) {
            m_fd.reset(::accept4(listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        }
    }
    bool valid() const { return m_fd.valid(); }
    // The next request, waited for (bounded); nullopt when none came.
    std::optional<wire::Request> request() {
        std::array<std::uint8_t, wire::kRequestSize> bytes{};
        if (!wire::receiveExact(m_fd.get(), bytes, std::chrono::steady_clock::now() + 2s)) {
            return std::nullopt;
        }
        return wire::decodeRequest(bytes);
    }
    bool answer(std::span<const std::uint8_t> bytes) {
        return wire::sendAllBytes(m_fd.get(), bytes, std::chrono::steady_clock::now() + 2s);
    }
    bool answer(std::int32_t value) { return answer(wire::encodeReply(value)); }
    // Nothing more sent on the connection, and not closed either.
    bool quiet() const {
        pollfd p{m_fd.get(), POLLIN, 0};
        return ::poll(&p, 1, 0) == 0;
    }

private:
    wire::UniqueFd m_fd;
};

// The first request of the next connection the link makes to `listener`, answered with `value`, from a
// thread of its own; nullopt when none came within two seconds.
std::future<std::optional<wire::Request>> answerNextConnection(const wire::UniqueFd& listener,
                                                               std::int32_t value) {
    return std::async(std::launch::async, [&listener, value] {
        PlayerEnd again(listener);
        const auto request = again.request();
        (void)again.answer(value);
        return request;
    });
}

TEST_F(StandIn, PipelinedRequestsAreAnsweredInOrderAndUnknownOnesWithZero) {
    start();
    ASSERT_TRUE(found());
    RawConnection c(rig.socketPath());
    ASSERT_TRUE(c.valid());
    std::vector<std::uint8_t> stream;
    for (const wire::Request r :
         {wire::Request{1024, 0, 0}, wire::Request{9999, 1, 1}, wire::Request{1024, 0, 104},
          wire::Request{1024, 0, 5555}, wire::Request{wire::kMsgAskVolume, 0, 0}}) {
        const auto b = wire::encodeRequest(r);
        stream.insert(stream.end(), b.begin(), b.end());
    }
    ASSERT_TRUE(c.write(std::span(stream.data(), 7)));
    std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(c.write(std::span(stream.data() + 7, stream.size() - 7)));
    EXPECT_EQ(c.read(), 0x1010);
    EXPECT_EQ(c.read(), 0);
    EXPECT_EQ(c.read(), 0);
    EXPECT_EQ(c.read(), 0);
    EXPECT_EQ(c.read(), 255);
}

TEST_F(StandIn, ManyConnectionsAreServedAndABrokenOneIsDroppedAlone) {
    start();
    ASSERT_TRUE(found());
    std::vector<std::unique_ptr<RawConnection>> connections;
    for (int i = 0; i < 20; ++i) {
        connections.push_back(std::make_unique<RawConnection>(rig.socketPath()));
        ASSERT_TRUE(connections.back()->valid());
    }
    const auto ask = wire::encodeRequest({1024, 0, 0});
    for (auto& c : connections) {
        ASSERT_TRUE(c->write(ask));
    }
    for (auto& c : connections) {
        EXPECT_EQ(c->read(), 0x1010);
    }
    const auto overlong = wire::encodeRequest({wire::kMsgTakeFile, 100000, 0});
    ASSERT_TRUE(connections[3]->write(overlong));
    EXPECT_EQ(connections[3]->read(), std::nullopt);
    EXPECT_TRUE(connections[4]->write(ask));
    EXPECT_EQ(connections[4]->read(), 0x1010);
    EXPECT_EQ(link.WinAMP_GetVersion(), "1.010");
}

TEST_F(StandIn, ABurstOfConnectionsBeyondTheRoomWaitsAndTheStationKeepsBeingServed) {
    const pid_t player = start();
    ASSERT_TRUE(found());
    link.InitWinAMP(rig.host); // the station's connection, asking from time to time
    // More silent connections than the player serves at once, all after the station's last request,
    // in a burst that comes while the player cannot take any (held still): they wait, none is refused.
    ASSERT_EQ(::kill(player, SIGSTOP), 0);
    std::vector<std::unique_ptr<RawConnection>> silent;
    int refused = 0;
    for (int i = 0; i < 70; ++i) {
        silent.push_back(std::make_unique<RawConnection>(rig.socketPath()));
        refused += silent.back()->valid() ? 0 : 1;
    }
    ASSERT_EQ(::kill(player, SIGCONT), 0);
    ASSERT_EQ(refused, 0);
    const auto song = rig.makeSong("added.mp3", 2);
    EXPECT_EQ(rig.launcher->exitCode(start({"/ADD", song.string()}), 10s), 0);
    tk::PlayerWindows fresh(rig.socketPath());
    const auto handle = fresh.findWindow(tk::kPlayerWindowClass);
    EXPECT_EQ(fresh.sendMessage(handle, 1024, 0, 0), 0x1010);
    EXPECT_EQ(link.WinAMP_GetVersion(), "1.010");
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
    EXPECT_TRUE(rig.launcher->alive(player));
    EXPECT_TRUE(rig.shown().empty());
}

// A stand-in player with every place taken by a connection that has just asked: the station's first and
// the others after it, so that the station's is the idlest, but in use.
class FullStandIn : public StandIn {
protected:
    static bool ask(RawConnection& c) {
        return c.write(wire::encodeRequest({1024, 0, 0})) && c.read() == 0x1010;
    }
    void SetUp() override {
        start();
        ASSERT_TRUE(rig.waitFor([&] {
            station = std::make_unique<RawConnection>(rig.socketPath());
            return station->valid();
        }));
        ASSERT_TRUE(ask(*station));
        for (int i = 0; i < 63; ++i) {
            others.push_back(std::make_unique<RawConnection>(rig.socketPath()));
            ASSERT_TRUE(ask(*others.back()));
        }
    }

    std::unique_ptr<RawConnection> station;
    std::vector<std::unique_ptr<RawConnection>> others;
};

TEST_F(FullStandIn, AFullPlayerKeepsConnectionsInUseAndClosesOnlyOneSilentForSeconds) {
    // A newcomer is answered, then closed; no connection in use goes for it.
    RawConnection visitor(rig.socketPath());
    EXPECT_TRUE(ask(visitor));
    EXPECT_TRUE(rig.waitFor([&] { return visitor.closedByPlayer(); }, 3s));
    EXPECT_FALSE(station->closedByPlayer());

    // Seconds later, with the station asking all along and the others silent, a newcomer takes the
    // place of the one silent longest, and keeps it.
    for (int i = 0; i < 14; ++i) {
        ASSERT_TRUE(ask(*station));
        std::this_thread::sleep_for(250ms);
    }
    RawConnection newcomer(rig.socketPath());
    EXPECT_TRUE(ask(newcomer));
    EXPECT_TRUE(ask(newcomer));
    EXPECT_TRUE(others.front()->closedByPlayer());
    EXPECT_FALSE(others.back()->closedByPlayer());
    EXPECT_FALSE(station->closedByPlayer());
}

TEST_F(FullStandIn, AConnectionThatCameWhileEveryPlaceWasInUseIsAnsweredWhenItAsksAfterAnother) {
    // A newcomer that has not asked yet while another connection is served keeps its visit. Two requests,
    // so that one of them is served after the player took the newcomer in, whenever it does.
    RawConnection visitor(rig.socketPath());
    ASSERT_TRUE(visitor.valid());
    ASSERT_TRUE(ask(*station));
    ASSERT_TRUE(ask(*station));
    EXPECT_TRUE(ask(visitor));
    EXPECT_FALSE(station->closedByPlayer());
}

TEST(PlayerWindowsMessenger, OnlyThePlayersClassIsFoundAndAFoundPlayerKeepsItsHandle) {
    RealRig rig;
    rig.link.InitWinAMP(rig.host);
    tk::PlayerWindows windows(rig.socketPath());
    EXPECT_EQ(windows.findWindow("Notepad"), 0);
    const auto handle = windows.findWindow(tk::kPlayerWindowClass);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), handle);
    EXPECT_EQ(windows.sendMessage(handle + 100, 1024, 0, 0), std::nullopt);
}

TEST(PlayerWindowsMessenger, SilentOrVanishedPeerGivesNoAnswerWithoutSigpipe) {
    ::signal(SIGPIPE, SIG_DFL);
    TempFolder folder("tunnora-silent");
    const fs::path path = folder.path() / "silent.sock";
    const wire::UniqueFd listener = listenAt(path);
    ASSERT_TRUE(listener.valid());

    tk::PlayerWindows windows(path, 100ms);
    const auto silent = windows.findWindow(tk::kPlayerWindowClass);
    ASSERT_NE(silent, 0);
    const auto began = std::chrono::steady_clock::now();
    EXPECT_EQ(windows.sendMessage(silent, 1024, 0, 104), std::nullopt);
    EXPECT_GE(std::chrono::steady_clock::now() - began, 100ms);
    // While the missed reply is owed, nothing more is asked: no late answer can be mistaken for a new one.
    EXPECT_EQ(windows.sendMessage(silent, 1024, 0, 104), std::nullopt);

    // Looked for again while it is silent, the same player keeps its handle, without another
    // connection that would only be waited for once more.
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), silent);
    EXPECT_TRUE(windows.isHung(silent));
    EXPECT_TRUE(windows.isWindow(silent));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 100ms);

    // The peer drops the connection unanswered.
    { const wire::UniqueFd accepted(::accept(listener.get(), nullptr, nullptr)); }
    EXPECT_FALSE(connectionWaiting(listener));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows.sendMessage(silent, 273, 40045, 0), std::nullopt);
    }
}

TEST(PlayerWindowsMessenger, AnotherPlayerProcessBehindTheSameSocketIsNotTakenForTheOneFound) {
    RealRig rig;
    rig.link.InitWinAMP(rig.host);
    const pid_t first = rig.launcher->pids().front();
    tk::PlayerWindows windows(rig.socketPath());
    const auto handle = windows.findWindow(tk::kPlayerWindowClass);
    ASSERT_NE(handle, 0);
    rig.link.closePlayer();
    ASSERT_EQ(rig.launcher->exitCode(first, 5s), 0);
    // A new player process on the same socket path.
    rig.link.InitWinAMP(rig.host);
    ASSERT_EQ(rig.launcher->pids().size(), 2u);
    ASSERT_TRUE(rig.launcher->alive(rig.launcher->pids().back()));

    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 0), std::nullopt);
    const auto found = windows.findWindow(tk::kPlayerWindowClass);
    EXPECT_NE(found, 0);
    EXPECT_NE(found, handle);
    EXPECT_EQ(windows.sendMessage(found, 1024, 0, 0), 0x1010);
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 0), std::nullopt);
}

TEST(PlayerWindowsMessenger, AfterAMissedReplyNothingIsAskedUntilItCameLateAndThenTheHandleIsAnsweredAgain) {
    TempFolder folder("tunnora-late");
    const fs::path path = folder.path() / wire::kSocketName;
    const wire::UniqueFd listener = listenAt(path);
    ASSERT_TRUE(listener.valid());
    tk::PlayerWindows windows(path);
    const auto handle = windows.findWindow(tk::kPlayerWindowClass);
    ASSERT_NE(handle, 0);
    PlayerEnd player(listener);
    ASSERT_TRUE(player.valid());

    // Held still: the first request waits in vain; those after it are not even sent.
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 104), std::nullopt);
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 105), std::nullopt);
    EXPECT_EQ(windows.sendMessage(handle, 1024, 1, 105), std::nullopt);
    EXPECT_EQ(player.request(), (wire::Request{1024, 0, 104}));
    EXPECT_TRUE(player.quiet());

    // Going on, the player answers the first request late, and then the next it is asked.
    ASSERT_TRUE(player.answer(7));
    auto next = std::async(std::launch::async, [&] {
        const auto request = player.request();
        (void)player.answer(9);
        return request;
    });
    EXPECT_EQ(windows.sendMessage(handle, 1024, 1, 105), 9);
    EXPECT_EQ(next.get(), (wire::Request{1024, 1, 105}));
    EXPECT_TRUE(player.quiet());
    EXPECT_FALSE(connectionWaiting(listener)); // over the same connection
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), handle);
}

TEST(PlayerWindowsMessenger, APartOfALateAnswerAndThenTheClosedConnectionIsLetGoAtOnce) {
    TempFolder folder("tunnora-late-cut");
    const fs::path path = folder.path() / wire::kSocketName;
    const wire::UniqueFd listener = listenAt(path);
    ASSERT_TRUE(listener.valid());
    tk::PlayerWindows windows(path, 100ms);
    const auto handle = windows.findWindow(tk::kPlayerWindowClass);
    ASSERT_NE(handle, 0);
    {
        PlayerEnd player(listener);
        ASSERT_TRUE(player.valid());
        EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 104), std::nullopt);
        EXPECT_TRUE(windows.isHung(handle));
        ASSERT_EQ(player.request(), (wire::Request{1024, 0, 104}));
        // Half of the late answer, and then the player closes the connection.
        const auto reply = wire::encodeReply(7);
        ASSERT_TRUE(player.answer(std::span(reply).first(2)));
    }
    // The rest can never come: the handle does not wait for it, and the same player is asked again over
    // a fresh connection.
    EXPECT_FALSE(windows.isHung(handle));
    auto fresh = answerNextConnection(listener, 9);
    EXPECT_EQ(windows.sendMessage(handle, 1024, 1, 105), 9);
    EXPECT_EQ(fresh.get(), (wire::Request{1024, 1, 105}));
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), handle);
}

TEST(PlayerWindowsMessenger, AReplyCutOffClosesItsConnectionAndNoOtherIsMadeWithinTheReplyTime) {
    TempFolder folder("tunnora-torn");
    const fs::path path = folder.path() / wire::kSocketName;
    const wire::UniqueFd listener = listenAt(path);
    ASSERT_TRUE(listener.valid());
    constexpr auto kReplyTime = tk::PlayerWindows::kDefaultReplyTime;
    tk::PlayerWindows windows(path, kReplyTime);
    const auto handle = windows.findWindow(tk::kPlayerWindowClass);
    ASSERT_NE(handle, 0);
    PlayerEnd player(listener);
    ASSERT_TRUE(player.valid());
    // Half a reply, and then nothing: the rest of the stream cannot be framed any more.
    auto half = std::async(std::launch::async, [&] {
        const auto request = player.request();
        const auto reply = wire::encodeReply(7);
        (void)player.answer(std::span(reply).first(2));
        return request;
    });
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 104), std::nullopt);
    EXPECT_EQ(half.get(), (wire::Request{1024, 0, 104}));
    const auto cutOff = std::chrono::steady_clock::now();
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 105), std::nullopt);
    if (std::chrono::steady_clock::now() - cutOff < kReplyTime) {
        EXPECT_FALSE(connectionWaiting(listener));
    }
    EXPECT_FALSE(player.quiet()); // closed by the link, with nothing more sent on it
    EXPECT_EQ(player.request(), std::nullopt);

    // Past the reply time, the same player is asked over a fresh connection.
    std::this_thread::sleep_for(kReplyTime);
    auto fresh = answerNextConnection(listener, 9);
    EXPECT_EQ(windows.sendMessage(handle, 1024, 1, 105), 9);
    EXPECT_EQ(fresh.get(), (wire::Request{1024, 1, 105}));
}

constexpr uid_t kOtherUser = 65534;

TEST(PlayerWindowsMessenger, AConnectionThePlayerClosedIsMadeAgainAndARequestItNeverReadGoesAgain) {
    TempFolder folder("tunnora-reconnect");
    const fs::path path = folder.path() / wire::kSocketName;
    const wire::UniqueFd listener = listenAt(path);
    ASSERT_TRUE(listener.valid());
    // The player answers one request on the first connection and closes it; it closes the second as
    // soon as a request is there, unread; it answers on the third.
    std::promise<void> firstClosed;
    std::thread player([&] {
        // Every wait is bounded, so that a link that does not connect again cannot hang the test.
        const auto accepted = [&] {
            pollfd p{listener.get(), POLLIN, 0};
            return ::poll(&p, 1, 2000) > 0
                       ? wire::UniqueFd(::accept4(listener.get(), nullptr, nullptr, SOCK_NONBLOCK))
                       : wire::UniqueFd();
        };
        const auto answerOne = [&](std::int32_t answer) {
            const wire::UniqueFd c = accepted();
            std::array<std::uint8_t, wire::kRequestSize> request{};
            const auto soon = std::chrono::steady_clock::now() + 2s;
            if (c && wire::receiveExact(c.get(), request, soon)) {
                (void)wire::sendAllBytes(c.get(), wire::encodeReply(answer), soon);
            }
        };
        answerOne(7);
        firstClosed.set_value();
        if (const wire::UniqueFd c = accepted()) {
            pollfd p{c.get(), POLLIN, 0};
            ::poll(&p, 1, 2000);
        }
        answerOne(8);
    });
    tk::PlayerWindows windows(path);
    const auto handle = windows.findWindow(tk::kPlayerWindowClass);
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 104), 7);
    firstClosed.get_future().wait();
    EXPECT_EQ(windows.sendMessage(handle, 1024, 0, 104), 8);
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), handle);
    player.join();
}

TEST(PlayerWindowsMessenger, ASocketOrAFolderOfAnotherUserIsNeverConnectedToAndTheStartSaysWhy) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    RealRig rig;
    const fs::path path = rig.socketPath();
    const wire::UniqueFd listener = listenAt(path);
    ASSERT_TRUE(listener.valid());
    ASSERT_EQ(::chown(rig.runtimeFolder.path().c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_THROW(rig.link.InitWinAMP(rig.host), tk::ProgramEnded);
    ASSERT_EQ(rig.shown().size(), 1u);
    EXPECT_EQ(rig.shown()[0].text, "Couldn't connect to WinAMP: " + rig.runtimeFolder.path().string() +
                                       " belongs to another user");
    EXPECT_FALSE(connectionWaiting(listener));
    // The player started for it will not use the folder either.
    EXPECT_EQ(rig.launcher->exitCode(rig.launcher->pids().front(), 5s), 2);

    ASSERT_EQ(::chown(rig.runtimeFolder.path().c_str(), 0, 0), 0);
    ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherUser), 0);
    tk::PlayerWindows windows(path);
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), 0);
    EXPECT_EQ(windows.refusal(), path.string() + " belongs to another user");
    EXPECT_FALSE(connectionWaiting(listener));
}

TEST(PlayerWindowsMessenger, AProgramOfAnotherUserBehindOurSocketIsRefused) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    TempFolder folder("tunnora-peer");
    const fs::path path = folder.path() / wire::kSocketName;
    // The socket file is ours; the process listening on it runs as another user.
    const wire::UniqueFd socket = bindAt(path);
    ASSERT_TRUE(socket.valid());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    if (other == 0) {
        const char byte = 1;
        if (::setuid(kOtherUser) != 0 || ::listen(socket.get(), 4) != 0 || ::write(ready[1], &byte, 1) != 1) {
            ::_exit(1);
        }
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    tk::PlayerWindows windows(path);
    EXPECT_EQ(windows.findWindow(tk::kPlayerWindowClass), 0);
    EXPECT_EQ(windows.refusal(), "the program listening on " + path.string() + " runs as another user");
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace playertest
