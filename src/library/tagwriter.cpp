#include "library/tagwriter.h"

#include "library/filereplacement.h"
#include "library/id3v1tag.h"
#include "library/id3v2header.h"
#include "library/id3v2rebuild.h"
#include "library/posixio.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace id3 {

namespace {
using Status = TagWriteResult::Status;

// The name of the new song file while it is written, beside the song.
constexpr std::string_view kTemporaryPrefix = ".tunnora-tag-";

// A tag this large is refused rather than held in memory: no real tag comes near it.
constexpr std::uint64_t kMaxTag = 64u << 20;

TagWriteResult fail(Status status, std::string reason) {
    return {status, std::move(reason)};
}

TagWriteResult ioFailure(const char* what, int code) {
    return fail(Status::FileFailed, std::string(what) + ": " + std::strerror(code) + ".");
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

// Why the new file could not take the song's place.
TagWriteResult replacementFailure(const library::io::FileReplacement& replacement) {
    using Step = library::io::FileReplacement::Step;
    const int error = replacement.error();
    switch (replacement.failedStep()) {
    case Step::Create:
        return fail(Status::NotWritable, "The song's folder does not allow the new file: " +
                                             std::string(std::strerror(error)) + ".");
    case Step::Keep:
        return ioFailure("The new file could not take the song's mode", error);
    case Step::Flush:
        return ioFailure("The new file could not be flushed", error);
    case Step::Rename:
        return ioFailure("The new file could not replace the song", error);
    default:
        return ioFailure("The new file could not be written", error);
    }
}

// Writes the new tag, the song's audio and the ID3v1 block to the new file and puts it in the
// song's place: a kill or a full disk at any moment leaves the song as it was or as it is meant
// to be, never a mix of old and new tags.
TagWriteResult replaceFile(library::io::FileReplacement& replacement, int source, const struct stat& status,
                           std::span<const std::uint8_t> tag, std::uint64_t audioBegin,
                           std::uint64_t audioEnd, std::span<const std::uint8_t> id3v1) {
    if (!replacement.append(tag))
        return replacementFailure(replacement);
    std::vector<std::uint8_t> buffer(1u << 20);
    int error = 0;
    for (std::uint64_t at = audioBegin; at < audioEnd;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), audioEnd - at));
        const std::int64_t got = library::io::readAt(source, std::span(buffer.data(), want), at, error);
        if (got <= 0)
            return ioFailure("The song's file could not be read", got < 0 ? error : EIO);
        if (!replacement.append(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(got))))
            return replacementFailure(replacement);
        at += static_cast<std::uint64_t>(got);
    }
    if (!replacement.append(id3v1) || !replacement.commit(&status, 0))
        return replacementFailure(replacement);
    return {};
}

// Writes the tags into the song itself, for a song a new file cannot stand in for (`why`): only when
// the new ID3v2 tag takes exactly the old one's place, put down in one write, so the audio never
// moves; the ID3v1 block goes over the old one or after the audio.
TagWriteResult writeInPlace(int fd, std::span<const std::uint8_t> tag, std::uint64_t oldTagSize,
                            std::span<const std::uint8_t> id3v1, std::uint64_t audioEnd, const char* why) {
    if (tag.size() != oldTagSize)
        return fail(Status::NoRoomInPlace,
                    std::string(why) + ", so its tags can only be written into it in place, and the new tag "
                                       "needs more room than the old one has.");
    int error = 0;
    if (!library::io::writeAt(fd, tag, 0, error) || !library::io::writeAt(fd, id3v1, audioEnd, error))
        return ioFailure("The song's tags could not be written", error);
    if (::fsync(fd) != 0)
        return ioFailure("The song could not be flushed", errno);
    return {};
}
} // namespace

TagWriteResult writeTags(const std::filesystem::path& path, const TagValues& values) {
    const std::filesystem::path target = library::io::linkTarget(path);
    // Opened for writing to learn that the station may write the song; its bytes are only read.
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

    // Made before anything else is decided: it first removes what killed writes left in the folder,
    // also when this write turns out to change nothing.
    library::io::FileReplacement replacement(target, kTemporaryPrefix);
    // Tags that already hold these values are left as they are.
    if (hasId3v1 && std::ranges::equal(rebuilt.bytes, oldTag) && std::ranges::equal(id3v1, last))
        return {};
    // A new file would be a song of its own beside the other names of a hard-linked one, and one that
    // cannot take the song's owner and group would take the song from them.
    if (status.st_nlink > 1)
        return writeInPlace(fd, rebuilt.bytes, oldTag.size(), id3v1, audioEnd,
                            "The song's file has other names (hard links)");
    if (replacement.ok() && !replacement.takeOwner(status))
        return writeInPlace(fd, rebuilt.bytes, oldTag.size(), id3v1, audioEnd,
                            "A new copy of the song's file could not keep its owner and group");
    return replaceFile(replacement, fd, status, rebuilt.bytes, oldTag.size(), audioEnd, id3v1);
}

} // namespace id3
