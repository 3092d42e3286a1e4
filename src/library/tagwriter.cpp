#include "library/tagwriter.h"

#include "library/id3v1tag.h"
#include "library/id3v2header.h"
#include "library/id3v2rebuild.h"
#include "library/posixio.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace id3 {

namespace {
using Status = TagWriteResult::Status;
using library::UniqueFd;

// A tag this large is refused rather than held in memory: no real tag comes near it.
constexpr std::uint64_t kMaxTag = 64u << 20;

TagWriteResult fail(Status status, std::string reason) {
    return {status, std::move(reason)};
}

TagWriteResult ioFailure(const char* what, int code) {
    return fail(Status::FileFailed, std::string(what) + ": " + std::strerror(code) + ".");
}

// Where the song's bytes live: a symbolic link is followed, so the link itself stays a link.
std::filesystem::path targetOf(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        auto target = std::filesystem::canonical(path, error);
        if (!error)
            return target;
    }
    return path;
}

TagWriteResult openFailure(const library::io::OpenedFile& file) {
    if (file.notRegular || file.error == EISDIR)
        return fail(Status::NotRegularFile, "The song is not a regular file.");
    switch (file.error) {
    case ENOENT:
    case ENOTDIR:
        return fail(Status::FileMissing, "The song's file does not exist.");
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return fail(Status::NotWritable, "The song's file may not be written.");
    default:
        return ioFailure("The song's file could not be opened", file.error);
    }
}

// Writes the rebuilt file next to the original and renames it over the original.
TagWriteResult replaceFile(int source, const struct stat& status, const std::filesystem::path& target,
                           std::span<const std::uint8_t> tag, std::uint64_t audioBegin,
                           std::uint64_t audioEnd, std::span<const std::uint8_t> id3v1) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    // A short name: the song's own name may already be as long as a name can be.
    std::string pattern = (folder / ".tunnora-tag-XXXXXX").string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(Status::NotWritable, "The song's folder does not allow the new file: " +
                                             std::string(std::strerror(errno)) + ".");
    UniqueFd temporary(fd);
    const auto abandon = [&](TagWriteResult result) {
        temporary.close();
        ::unlink(pattern.c_str());
        return result;
    };
    int error = 0;
    std::uint64_t out = 0;
    if (!library::io::writeAt(fd, tag, out, error))
        return abandon(ioFailure("The new file could not be written", error));
    out += tag.size();
    std::vector<std::uint8_t> buffer(1u << 20);
    for (std::uint64_t at = audioBegin; at < audioEnd;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), audioEnd - at));
        const std::int64_t got = library::io::readAt(source, std::span(buffer.data(), want), at, error);
        if (got <= 0)
            return abandon(ioFailure("The song's file could not be read", got < 0 ? error : EIO));
        const auto chunk = std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(got));
        if (!library::io::writeAt(fd, chunk, out, error))
            return abandon(ioFailure("The new file could not be written", error));
        at += chunk.size();
        out += chunk.size();
    }
    if (!library::io::writeAt(fd, id3v1, out, error))
        return abandon(ioFailure("The new file could not be written", error));
    if (::fchmod(fd, status.st_mode & 07777) != 0)
        return abandon(ioFailure("The new file could not take the song's mode", errno));
    if (::fchown(fd, status.st_uid, status.st_gid) != 0) {
        // Only the owner of the folder's files may hand them to others; the mode is what matters.
    }
    if (::fsync(fd) != 0)
        return abandon(ioFailure("The new file could not be flushed", errno));
    if (const int closeError = temporary.close(); closeError != 0)
        return abandon(ioFailure("The new file could not be written", closeError));
    if (::rename(pattern.c_str(), target.c_str()) != 0)
        return abandon(ioFailure("The new file could not replace the song", errno));
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        UniqueFd folderFd(dir);
        (void)::fsync(dir);
    }
    return {};
}
} // namespace

TagWriteResult writeTags(const std::filesystem::path& path, const TagValues& values) {
    const std::filesystem::path target = targetOf(path);
    library::io::OpenedFile file = library::io::openRegular(target, O_RDWR);
    if (!file.ok())
        return openFailure(file);
    const struct stat& status = file.status;
    // A file marked read-only stays untouched even for a user the system would let write it.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(Status::NotWritable, "The song's file is read-only.");
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size < Id3v1Tag::kSize)
        return fail(Status::FileTooShort, "The song's file is too short to hold a tag.");
    const int fd = file.fd.get();
    int error = 0;

    std::array<std::uint8_t, Id3v2Header::kSize> headerBytes{};
    if (library::io::readAt(fd, headerBytes, 0, error) != static_cast<std::int64_t>(headerBytes.size()))
        return ioFailure("The song's file could not be read", error != 0 ? error : EIO);
    const Id3v2Header header = Id3v2Header::parse(headerBytes);
    std::vector<std::uint8_t> oldTag;
    if (header.status != Id3v2Header::Status::Absent) {
        const std::uint64_t total = header.totalSize();
        if (header.valid() && total > size)
            return fail(Status::TagPastEnd, "The file's ID3v2 tag declares more bytes than the file holds.");
        if (header.valid() && total > kMaxTag)
            return fail(Status::TagTooLarge, "The file's ID3v2 tag is too large to rewrite.");
        oldTag.resize(header.valid() ? static_cast<std::size_t>(total) : Id3v2Header::kSize);
        if (library::io::readAt(fd, oldTag, 0, error) != static_cast<std::int64_t>(oldTag.size()))
            return ioFailure("The song's file could not be read", error != 0 ? error : EIO);
    }
    RebuiltTag rebuilt = rebuildId3v2(oldTag, values);
    if (!rebuilt.result.ok())
        return rebuilt.result;

    // The ID3v1 tag counts only when it lies wholly after the ID3v2 tag.
    std::array<std::uint8_t, Id3v1Tag::kSize> last{};
    if (library::io::readAt(fd, last, size - last.size(), error) != static_cast<std::int64_t>(last.size()))
        return ioFailure("The song's file could not be read", error != 0 ? error : EIO);
    const bool hasId3v1 = size - last.size() >= oldTag.size() && Id3v1Tag::parse(last).has_value();
    const auto id3v1 = updatedId3v1(hasId3v1 ? Id3v1Tag::parse(last) : std::nullopt, values).render();
    const std::uint64_t audioEnd = hasId3v1 ? size - last.size() : size;

    if (rebuilt.bytes.size() != oldTag.size())
        return replaceFile(fd, status, target, rebuilt.bytes, oldTag.size(), audioEnd, id3v1);
    // The ID3v1 block first: appending it is the one step that needs room on the disk, and when it
    // fails the file is cut back and nothing else has changed.
    if (!library::io::writeAt(fd, id3v1, audioEnd, error)) {
        if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
            // The failed append wrote nothing usable; the song's own bytes are intact either way.
        }
        return ioFailure("The song's file could not be written", error);
    }
    if (!library::io::writeAt(fd, rebuilt.bytes, 0, error))
        return ioFailure("The song's file could not be written", error);
    if (::fsync(fd) != 0)
        return ioFailure("The song's file could not be flushed", errno);
    if (const int closeError = file.fd.close(); closeError != 0)
        return ioFailure("The song's file could not be written", closeError);
    return {};
}

} // namespace id3
