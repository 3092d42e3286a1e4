#include "library/filereplacement.h"

#include "library/posixio.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace library::io {

namespace {

// A temporary file named without a process id is left alone this long after its last write.
constexpr std::time_t kUnnamedWriterGrace = 60 * 60;

// The process id that follows the prefix in a temporary file's name ("1234-Ab3xYz"); 0 when the
// name carries none.
pid_t writerNamedIn(std::string_view rest) {
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0)
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
    if (error != std::errc() || end != rest.data() + dash || pid <= 0)
        return 0;
    return pid;
}

// True unless the system says there is no such process (one of another user still counts).
bool stillRuns(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH;
}

} // namespace

std::filesystem::path linkTarget(const std::filesystem::path& path) {
    std::filesystem::path at = path;
    std::error_code error;
    // A loop of links ends somewhere after this many steps, as the system's own lookup does.
    for (int step = 0; step < 40 && std::filesystem::is_symlink(at, error); ++step) {
        const std::filesystem::path next = std::filesystem::read_symlink(at, error);
        if (error)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at;
}

void removeStaleTemporaries(const std::filesystem::path& folder, std::string_view prefix) {
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return;
    DIR* listing = ::fdopendir(folderFd);
    if (!listing) {
        ::close(folderFd);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix))
            continue;
        struct stat status {};
        if (::fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode))
            continue;
        const pid_t writer = writerNamedIn(name.substr(prefix.size()));
        const bool stale = writer != 0 ? !stillRuns(writer) : now - status.st_mtime > kUnnamedWriterGrace;
        if (stale)
            (void)::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(listing);
}

FileReplacement::FileReplacement(const std::filesystem::path& target, std::string_view prefix)
    : m_target(target)
    , m_folder(target.has_parent_path() ? target.parent_path() : std::filesystem::path(".")) {
    removeStaleTemporaries(m_folder, prefix);
    // A short name: the target's own name may already be as long as a name can be.
    std::string pattern =
        (m_folder / (std::string(prefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        fail(Step::Create, errno);
        return;
    }
    m_temporary = std::move(pattern);
    m_file = UniqueFd(fd);
}

FileReplacement::~FileReplacement() {
    if (m_committed || m_temporary.empty())
        return;
    m_file.close();
    ::unlink(m_temporary.c_str());
}

bool FileReplacement::fail(Step step, int error) {
    if (ok()) {
        m_failed = step;
        m_error = error;
    }
    return false;
}

bool FileReplacement::append(std::span<const std::uint8_t> bytes) {
    if (!ok())
        return false;
    int error = 0;
    if (!writeAt(m_file.get(), bytes, m_written, error))
        return fail(Step::Write, error);
    m_written += bytes.size();
    return true;
}

bool FileReplacement::takeOwner(const struct stat& replaced) noexcept {
    return ok() && ::fchown(m_file.get(), replaced.st_uid, replaced.st_gid) == 0;
}

bool FileReplacement::commit(const struct stat* replaced, mode_t newFileMode) {
    if (!ok())
        return false;
    const int fd = m_file.get();
    if (::fchmod(fd, replaced ? replaced->st_mode & 07777 : newFileMode) != 0)
        return fail(Step::Keep, errno);
    if (::fsync(fd) != 0)
        return fail(Step::Flush, errno);
    if (const int error = m_file.close(); error != 0)
        return fail(Step::Write, error);
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return fail(Step::Rename, errno);
    m_committed = true;
    if (const int folderFd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folderFd >= 0) {
        const UniqueFd folder(folderFd);
        (void)::fsync(folderFd);
    }
    return true;
}

} // namespace library::io
