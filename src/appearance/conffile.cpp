#include "appearance/conffile.h"

#include "library/filereplacement.h"
#include "library/posixio.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace conf {

namespace {
// The name of a new settings file while it is written, in the program folder.
constexpr std::string_view kTemporaryPrefix = ".tunnora-conf-";

std::string systemError(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}
} // namespace

FileContents readFile(const std::filesystem::path& path, std::size_t recordSize) {
    FileContents c;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        return c;
    }
    c.exists = true;
    library::io::OpenedFile file = library::io::openRegular(path, O_RDONLY);
    if (file.notRegular) {
        c.error = "not a regular file";
        return c;
    }
    if (!file.ok()) {
        c.error = systemError("cannot open", file.error);
        return c;
    }
    c.length = static_cast<std::uintmax_t>(file.status.st_size);
    c.bytes.resize(std::min<std::uintmax_t>(recordSize, c.length));
    int error = 0;
    const std::int64_t read = library::io::readAt(file.fd.get(), c.bytes, 0, error);
    if (read < 0) {
        c.error = systemError("cannot read", error);
    }
    c.bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(read, 0)));
    return c;
}

std::optional<std::string> replaceFile(const std::filesystem::path& path,
                                       const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path target = library::io::linkTarget(path);
    struct stat replaced {};
    const bool exists = ::stat(target.c_str(), &replaced) == 0;
    library::io::FileReplacement replacement(target, kTemporaryPrefix);
    // The settings are the station's own file and always written whole: saved by a user who may not
    // give it to its owner, it becomes that user's rather than the save failing.
    if (exists) {
        (void)replacement.takeOwner(replaced);
    }
    replacement.append(bytes);
    // The settings hold the screen password: a new file is readable by its owner only.
    if (replacement.commit(exists ? &replaced : nullptr, 0600)) {
        return std::nullopt;
    }
    using Step = library::io::FileReplacement::Step;
    switch (replacement.failedStep()) {
    case Step::Create:
        return systemError("cannot create a file in the program folder", replacement.error());
    case Step::Rename:
        return systemError("cannot replace the settings file", replacement.error());
    default:
        return systemError("cannot write", replacement.error());
    }
}

void removeStaleTemporaries(const std::filesystem::path& folder) {
    library::io::removeStaleTemporaries(folder, kTemporaryPrefix);
}

} // namespace conf
