#include "library/folderwalk.h"

#include "library/uniquefd.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace library {

namespace {

constexpr unsigned char foldAscii(unsigned char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c;
}

// One entry of a folder listing: a sub-folder or a regular file that may be a song.
struct Entry {
    std::string name;
    bool folder = false;
    bool broken = false; // a link that points nowhere
};

class Walk {
public:
    Walk(std::size_t maxPathBytes, FolderWalkVisitor& visitor)
        : m_maxPathBytes(maxPathBytes)
        , m_visitor(visitor) {}

    // Walks the open folder `fd` at `folder` (ending in "/"); false when the visitor stopped the walk.
    bool walk(const std::string& folder, UniqueFd fd) {
        struct stat status {};
        if (::fstat(fd.get(), &status) != 0 || !m_walked.emplace(status.st_dev, status.st_ino).second)
            return true;
        for (const Entry& entry : list(fd.get())) {
            if (entry.folder) {
                if (!m_visitor.enteringFolder())
                    return false;
                UniqueFd child(::openat(fd.get(), entry.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
                if (!child.valid()) {
                    ++skips.unreadableFolders;
                } else if (!walk(folder + entry.name + '/', std::move(child))) {
                    return false;
                }
            } else if (entry.broken) {
                ++skips.unreadableFiles;
            } else if (folder.size() + entry.name.size() > m_maxPathBytes) {
                ++skips.longPaths;
            } else if (!m_visitor.songFound(folder + entry.name)) {
                return false;
            }
        }
        m_visitor.folderDone(folder);
        return true;
    }

    FolderWalkSkips skips;

private:
    // The sub-folders and songs of the folder in name order. Links are resolved: a link to a folder
    // is a folder, a link to a regular file a file.
    std::vector<Entry> list(int fd) {
        std::vector<Entry> entries;
        DIR* dir = ::fdopendir(::dup(fd));
        if (!dir) {
            ++skips.unreadableFolders;
            return entries;
        }
        while (const dirent* d = ::readdir(dir)) {
            std::string_view name = d->d_name;
            if (name.empty() || name.front() == '.')
                continue;
            Entry entry{std::string(name)};
            unsigned char type = d->d_type;
            if (type == DT_LNK || type == DT_UNKNOWN) {
                struct stat status {};
                if (::fstatat(fd, d->d_name, &status, 0) != 0) {
                    entry.broken = isSongName(name);
                    if (entry.broken)
                        entries.push_back(std::move(entry));
                    continue;
                }
                type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
            }
            entry.folder = type == DT_DIR;
            if (entry.folder || (type == DT_REG && isSongName(name)))
                entries.push_back(std::move(entry));
        }
        ::closedir(dir);
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return nameBefore(a.name, b.name); });
        return entries;
    }

    std::size_t m_maxPathBytes;
    FolderWalkVisitor& m_visitor;
    std::set<std::pair<dev_t, ino_t>> m_walked;
};

} // namespace

bool isSongName(std::string_view name) noexcept {
    if (name.size() < 3)
        return false;
    const std::string_view last = name.substr(name.size() - 3);
    return foldAscii(static_cast<unsigned char>(last[0])) == 'm' &&
           foldAscii(static_cast<unsigned char>(last[1])) == 'p' && (last[2] == '3' || last[2] == '2');
}

bool nameBefore(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = foldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char y = foldAscii(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

FolderWalkSkips walkSongFolders(std::string_view root, std::size_t maxPathBytes, FolderWalkVisitor& visitor) {
    std::string folder(root);
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    Walk walk(maxPathBytes, visitor);
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        ++walk.skips.unreadableFolders;
        return walk.skips;
    }
    walk.walk(folder, std::move(fd));
    return walk.skips;
}

} // namespace library
