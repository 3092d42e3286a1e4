#include "mpvengine.h"

#include <mpv/client.h>

#include <array>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace standin {

std::vector<std::pair<std::string, std::string>> audioOutputOptions(std::string_view setting) {
    std::vector<std::pair<std::string, std::string>> options;
    if (setting.empty()) {
        return options;
    }
    const auto colon = setting.find(':');
    const std::string name(setting.substr(0, colon));
    options.emplace_back("ao", name);
    std::string_view rest = colon == std::string_view::npos ? std::string_view{} : setting.substr(colon + 1);
    while (!rest.empty()) {
        const auto next = rest.find(':');
        const std::string_view flag = rest.substr(0, next);
        if (!flag.empty()) {
            const auto eq = flag.find('=');
            const std::string key = "ao-" + name + "-" + std::string(flag.substr(0, eq));
            options.emplace_back(key,
                                 eq == std::string_view::npos ? "yes" : std::string(flag.substr(eq + 1)));
        }
        rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next + 1);
    }
    return options;
}

void MpvHandleDeleter::operator()(mpv_handle* handle) const noexcept {
    mpv_terminate_destroy(handle);
}

namespace {
// Runs on mpv's threads: only wakes the event loop, never touches the player.
void wakeUp(void* data) {
    const int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(data));
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(fd, &byte, 1); // a full pipe already wakes the loop
}

// Options that keep mpv a quiet audio engine: nothing of the user's mpv setup is read, nothing is
// shown, nothing listens to a terminal, and the player never moves to another file on its own.
constexpr std::array<std::pair<const char*, const char*>, 19> kQuietOptions{{
    {"config", "no"},
    {"load-scripts", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"terminal", "no"},
    {"input-terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"vid", "no"},
    {"vo", "null"},
    {"force-window", "no"},
    {"audio-display", "no"},
    {"idle", "yes"},
    {"keep-open", "no"},
    {"loop-playlist", "no"},
    {"resume-playback", "no"},
    {"save-position-on-quit", "no"},
    {"audio-fallback-to-null", "yes"},
    {"audio-client-name", "tunnora-player"},
}};
} // namespace

std::unique_ptr<MpvEngine> MpvEngine::open(std::string_view audioOutput, std::string* error) {
    std::unique_ptr<MpvEngine> engine(new MpvEngine());
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error) {
            *error = "cannot make the wake-up pipe";
        }
        return nullptr;
    }
    engine->m_wakeRead.reset(fds[0]);
    engine->m_wakeWrite.reset(fds[1]);

    engine->m_mpv.reset(mpv_create());
    mpv_handle* mpv = engine->m_mpv.get();
    if (mpv == nullptr) {
        if (error) {
            *error = "mpv cannot be created";
        }
        return nullptr;
    }
    for (const auto& [name, value] : kQuietOptions) {
        mpv_set_option_string(mpv, name, value); // an option this mpv lacks is of no harm
    }
    for (const auto& [name, value] : audioOutputOptions(audioOutput)) {
        if (mpv_set_option_string(mpv, name.c_str(), value.c_str()) < 0) {
            if (error) {
                *error = "bad audio output setting: " + name + "=" + value;
            }
            return nullptr;
        }
    }
    if (const int status = mpv_initialize(mpv); status < 0) {
        if (error) {
            *error = std::string("mpv cannot start: ") + mpv_error_string(status);
        }
        return nullptr;
    }
    mpv_set_wakeup_callback(mpv, wakeUp, reinterpret_cast<void*>(static_cast<std::intptr_t>(fds[1])));
    return engine;
}

MpvEngine::~MpvEngine() {
    if (m_mpv) {
        mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
    }
}

void MpvEngine::drain(EngineEvents& events) {
    std::array<char, 256> sink{};
    while (::read(m_wakeRead.get(), sink.data(), sink.size()) > 0) {
    }
    for (const std::uint64_t ticket : std::exchange(m_refusedLoads, {})) {
        events.loadAnswered(ticket, std::nullopt);
    }
    for (;;) {
        const mpv_event* event = mpv_wait_event(m_mpv.get(), 0);
        if (event->event_id == MPV_EVENT_NONE) {
            return;
        }
        // Event data lives only until the next wait: copy what is needed before acting on it.
        switch (event->event_id) {
        case MPV_EVENT_COMMAND_REPLY: {
            const std::uint64_t ticket = event->reply_userdata;
            std::optional<std::int64_t> entryId;
            if (event->error >= 0 && event->data != nullptr) {
                const mpv_node& result = static_cast<const mpv_event_command*>(event->data)->result;
                if (result.format == MPV_FORMAT_NODE_MAP) {
                    for (int i = 0; i < result.u.list->num; ++i) {
                        const mpv_node& value = result.u.list->values[i];
                        if (std::string_view(result.u.list->keys[i]) == "playlist_entry_id" &&
                            value.format == MPV_FORMAT_INT64) {
                            entryId = value.u.int64;
                        }
                    }
                }
            }
            if (ticket != 0) {
                events.loadAnswered(ticket, entryId);
            }
            break;
        }
        case MPV_EVENT_START_FILE:
            m_startedEntry = static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id;
            break;
        case MPV_EVENT_FILE_LOADED:
            // Carries no entry of its own: it belongs to the file started last.
            events.fileLoaded(m_startedEntry);
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            const std::int64_t entryId = end->playlist_entry_id;
            const FileEnd how = end->reason == MPV_END_FILE_REASON_REDIRECT ? FileEnd::ReplacedByList
                                : end->reason == MPV_END_FILE_REASON_ERROR  ? FileEnd::Failed
                                                                            : FileEnd::Finished;
            events.fileEnded(entryId, how);
            break;
        }
        case MPV_EVENT_SHUTDOWN:
            events.engineLost();
            return;
        default:
            break;
        }
    }
}

void MpvEngine::load(std::uint64_t ticket, const std::string& path) {
    const char* args[] = {"loadfile", path.c_str(), "replace", nullptr};
    if (mpv_command_async(m_mpv.get(), ticket, args) < 0) {
        // Not even queued: answer the load as refused at the next drain, like any other answer.
        m_refusedLoads.push_back(ticket);
        wakeUp(reinterpret_cast<void*>(static_cast<std::intptr_t>(m_wakeWrite.get())));
    }
}

void MpvEngine::stop() {
    const char* args[] = {"stop", nullptr};
    mpv_command_async(m_mpv.get(), 0, args);
}

void MpvEngine::setPaused(bool paused) {
    int flag = paused ? 1 : 0;
    mpv_set_property_async(m_mpv.get(), 0, "pause", MPV_FORMAT_FLAG, &flag);
}

void MpvEngine::seek(double seconds) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size() - 1, seconds);
    *result.ptr = '\0';
    const char* args[] = {"seek", text.data(), "absolute", nullptr};
    mpv_command_async(m_mpv.get(), 0, args);
}

void MpvEngine::setVolume(double percent) {
    mpv_set_property_async(m_mpv.get(), 0, "volume", MPV_FORMAT_DOUBLE, &percent);
}

std::optional<double> MpvEngine::doubleProperty(const char* name) {
    double value = 0;
    if (mpv_get_property(m_mpv.get(), name, MPV_FORMAT_DOUBLE, &value) < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> MpvEngine::position() {
    return doubleProperty("time-pos");
}

std::optional<double> MpvEngine::duration() {
    return doubleProperty("duration");
}

} // namespace standin
