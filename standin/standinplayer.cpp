#include "standinplayer.h"

#include <cmath>
#include <limits>

#include <sys/stat.h>

namespace standin {

namespace wire = playerwire;

StandInPlayer::StandInPlayer(PlaybackEngine& engine)
    : m_engine(engine) {}

std::int32_t StandInPlayer::playState() const noexcept {
    switch (m_state) {
    case State::Playing:
        return wire::kStatePlaying;
    case State::Paused:
        return wire::kStatePaused;
    case State::Stopped:
        break;
    }
    return wire::kStateStopped;
}

std::int32_t StandInPlayer::handle(const wire::Request& request) {
    switch (request.message) {
    case wire::kMsgUser:
        return this->request(request.wParam, request.lParam);
    case wire::kMsgCommand:
        return command(request.wParam);
    case wire::kMsgAskListRevision:
        return m_listRevision;
    case wire::kMsgAskVolume:
        return m_volume;
    case wire::kMsgAskFilePlayed:
        return m_played ? 1 : 0;
    default:
        return 0;
    }
}

std::int32_t StandInPlayer::request(std::int32_t wParam, std::int32_t lParam) {
    switch (lParam) {
    case wire::kAskVersion:
        return kVersion;
    case wire::kClearList:
        m_list.clear();
        stop();
        m_played = false;
        return 0;
    case wire::kAskPlayState:
        return playState();
    case wire::kAskTime:
        if (wParam == 0) {
            return positionMs();
        }
        if (wParam == 1) {
            return lengthSeconds();
        }
        return 0;
    case wire::kJumpToTime:
        jump(wParam);
        return 0;
    case wire::kSetVolume:
        if (wParam >= 0 && wParam <= 255) {
            m_volume = wParam;
            m_engine.setVolume(wParam * 100.0 / 255.0);
        }
        return 0;
    default:
        return 0;
    }
}

std::int32_t StandInPlayer::command(std::int32_t which) {
    switch (which) {
    case wire::kCommandPlay:
        play();
        break;
    case wire::kCommandPause:
        pause();
        break;
    case wire::kCommandStop:
        stop();
        break;
    case wire::kCommandClose:
        m_closeRequested = true;
        break;
    default:
        break;
    }
    return 0;
}

void StandInPlayer::play() {
    m_played = false;
    if (m_list.empty()) {
        return;
    }
    // Always from the start of the list's file, also over a playing or paused song.
    m_ticket = ++m_lastTicket;
    m_entryId.reset();
    m_loaded = false;
    m_pendingSeek.reset();
    m_engine.setPaused(false);
    m_engine.load(m_ticket, m_list.front());
    m_state = State::Playing;
}

void StandInPlayer::pause() {
    if (m_state == State::Playing) {
        m_engine.setPaused(true);
        m_state = State::Paused;
    } else if (m_state == State::Paused) {
        m_engine.setPaused(false);
        m_state = State::Playing;
    }
    // A stopped player refuses to resume: there is nothing to resume.
}

void StandInPlayer::stop() {
    if (m_state != State::Stopped) {
        m_engine.stop();
    }
    forgetPlayingFile();
}

void StandInPlayer::forgetPlayingFile() {
    m_state = State::Stopped;
    m_ticket = 0;
    m_entryId.reset();
    m_loaded = false;
    m_pendingSeek.reset();
}

void StandInPlayer::jump(std::int32_t ms) {
    if (m_state == State::Stopped || ms < 0) {
        return;
    }
    if (m_loaded) {
        m_engine.seek(ms / 1000.0);
    } else {
        m_pendingSeek = ms / 1000.0;
    }
}

void StandInPlayer::markLoaded() {
    m_loaded = true;
    m_played = true;
    if (m_pendingSeek) {
        m_engine.seek(*m_pendingSeek);
        m_pendingSeek.reset();
    }
}

std::int32_t StandInPlayer::positionMs() {
    if (m_state == State::Stopped) {
        return -1;
    }
    if (!m_loaded) {
        return 0;
    }
    const auto seconds = m_engine.position();
    if (!seconds || !(*seconds >= 0)) {
        return 0; // still opening
    }
    const double ms = std::floor(*seconds * 1000.0);
    return ms >= std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                          : static_cast<std::int32_t>(ms);
}

std::int32_t StandInPlayer::lengthSeconds() {
    if (m_state == State::Stopped || !m_loaded) {
        return -1;
    }
    const auto seconds = m_engine.duration();
    if (!seconds || !(*seconds >= 0)) {
        return -1;
    }
    const double whole = std::floor(*seconds);
    return whole >= std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                             : static_cast<std::int32_t>(whole);
}

bool StandInPlayer::take(const std::string& path) {
    if (wire::checkPathText(path) != wire::PathVerdict::Acceptable) {
        return false;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    m_list.push_back(path);
    // The station waits for this number to change; 0 is kept for "no answer".
    m_listRevision = m_listRevision == std::numeric_limits<std::int32_t>::max() ? 1 : m_listRevision + 1;
    return true;
}

void StandInPlayer::loadAnswered(std::uint64_t ticket, std::optional<std::int64_t> entryId) {
    if (ticket == 0 || ticket != m_ticket) {
        return; // an answer to a load that was replaced or stopped since
    }
    if (!entryId) {
        forgetPlayingFile();
        return;
    }
    m_entryId = entryId;
    if (m_lastLoadedEntry == entryId) {
        markLoaded();
    }
}

void StandInPlayer::fileLoaded(std::int64_t entryId) {
    m_lastLoadedEntry = entryId;
    if (m_entryId == entryId) {
        markLoaded();
    }
}

void StandInPlayer::fileEnded(std::int64_t entryId, FileEnd how) {
    if (!m_entryId || *m_entryId != entryId) {
        return; // the end of a file that is no longer the playing one
    }
    if (how == FileEnd::ReplacedByList) {
        // The file was a list of further files; the player never moves on to other files by itself.
        m_engine.stop();
    }
    if (how != FileEnd::Finished) {
        m_played = false;
    }
    forgetPlayingFile();
}

void StandInPlayer::engineLost() {
    m_engineGone = true;
    m_state = State::Stopped;
}

} // namespace standin
