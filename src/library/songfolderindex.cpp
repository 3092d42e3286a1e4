#include "library/songfolderindex.h"

#include "library/recordstore.h"
#include "library/songpath.h"
#include "library/utf8.h"
#include "library/windows1252.h"

#include <algorithm>

namespace library {

namespace {

using SongStore = RecordStore<SongRecord>;
constexpr std::size_t kSongSize = SongRecord::kSize;

// The capital of a small letter of the scripts folder names are written in, else the character.
constexpr char32_t upperLetter(char32_t c) noexcept {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
    if (c >= 0xE0 && c <= 0xFE)
        return c == 0xF7 ? c : c - 0x20; // à..þ, not the division sign
    if (c == 0xFF)
        return 0x178; // ÿ
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs capital and small letter; ı (0x131) has no small partner of its own.
        if (c == 0x131)
            return c;
        if ((c <= 0x137) || (c >= 0x14A && c <= 0x177))
            return (c & 1) ? c - 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) ? c : c - 1;
        return c;
    }
    if (c >= 0x3AC && c <= 0x3CE) { // Greek
        if (c == 0x3AC)
            return 0x386;
        if (c <= 0x3AF)
            return c - 0x25;
        if (c == 0x3C2)
            return 0x3A3; // final sigma
        if (c >= 0x3B1 && c <= 0x3CB)
            return c - 0x20;
        if (c == 0x3CC)
            return 0x38C;
        if (c >= 0x3CD)
            return c - 0x3F;
        return c;
    }
    if (c >= 0x430 && c <= 0x44F) // Cyrillic
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

// Reads the records `numbers` of `file` (ascending), those that follow each other in one read.
// Returns false when a record cannot be read or no longer lies in folder `key`.
bool readIndexed(const RecordFile& file, std::span<const std::int64_t> numbers, std::string_view key,
                 std::vector<NumberedSong>& songs) {
    constexpr std::size_t kRun = 256;
    std::vector<std::uint8_t> buffer;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i + 1;
        while (j < numbers.size() && j - i < kRun && numbers[j] == numbers[j - 1] + 1)
            ++j;
        buffer.resize((j - i) * kSongSize);
        if (file.read(numbers[i], buffer))
            return false;
        for (std::size_t k = 0; k < j - i; ++k) {
            const std::span<const std::uint8_t> bytes(buffer.data() + k * kSongSize, kSongSize);
            SongRecord record = SongRecord::decode(bytes.first<kSongSize>());
            if (folderKey(record.fileLocation) != key)
                return false;
            songs.push_back({numbers[i + k], std::move(record)});
        }
        i = j;
    }
    return true;
}

} // namespace

std::string folderKey(std::string_view path) {
    const std::string_view folder = folderOf(path);
    std::string key;
    key.reserve(folder.size());
    for (std::size_t i = 0; i < folder.size();) {
        const auto byte = static_cast<unsigned char>(folder[i]);
        if (byte < 0x80) {
            key.push_back(static_cast<char>(upperLetter(byte)));
            ++i;
            continue;
        }
        const text::Utf8Step step = text::decodeUtf8Step(folder, i);
        if (step.length == 0) {
            // Not UTF-8: a Windows-1252 byte, upper-cased within its code page.
            const auto upper = text::codePointToWindows1252(upperLetter(text::windows1252ToCodePoint(byte)));
            key.push_back(static_cast<char>(upper.value_or(byte)));
            ++i;
            continue;
        }
        text::appendUtf8(key, upperLetter(step.codePoint));
        i += step.length;
    }
    return key;
}

void SongFolderIndex::restart(const FileStamp& stamp) {
    forget();
    m_stamp = stamp;
    m_known = true;
}

void SongFolderIndex::forget() {
    m_folders.clear();
    m_runs.clear();
    m_stamp = {};
    m_count = 0;
    m_known = false;
    m_lastFolder.clear();
    m_lastKey = nullptr;
    m_lastEntry = nullptr;
}

std::string_view SongFolderIndex::add(std::int64_t number, std::string_view path) {
    if (!m_known)
        return {};
    if (number != m_count + 1) {
        forget();
        return {};
    }
    m_count = number;
    // An append writes the record over any partial record after the last whole one.
    m_stamp.length = std::max(m_stamp.length, static_cast<std::uint64_t>(number) * kSongSize);
    const std::string_view folder = folderOf(path);
    if (folder.empty())
        return {};
    if (!m_lastEntry || folder != m_lastFolder) {
        // Node-based: the key and entry stay where they are when the map grows.
        auto [it, inserted] = m_folders.try_emplace(folderKey(folder));
        m_lastFolder.assign(folder);
        m_lastKey = &it->first;
        m_lastEntry = &it->second;
    }
    Folder& entry = *m_lastEntry;
    if (entry.songs > 0 && m_runs[entry.lastRun].last == number - 1) {
        m_runs[entry.lastRun].last = number;
    } else {
        const auto run = static_cast<std::uint32_t>(m_runs.size());
        m_runs.push_back({number, number, 0});
        if (entry.songs == 0)
            entry.firstRun = run;
        else
            m_runs[entry.lastRun].next = run + 1;
        entry.lastRun = run;
    }
    ++entry.songs;
    return *m_lastKey;
}

std::vector<std::int64_t> SongFolderIndex::numbersIn(const std::string& key) const {
    std::vector<std::int64_t> numbers;
    const auto it = m_folders.find(key);
    if (it == m_folders.end())
        return numbers;
    numbers.reserve(it->second.songs);
    for (std::uint32_t run = it->second.firstRun + 1; run != 0; run = m_runs[run - 1].next) {
        for (std::int64_t n = m_runs[run - 1].first; n <= m_runs[run - 1].last; ++n)
            numbers.push_back(n);
    }
    return numbers;
}

Result<std::vector<NumberedSong>> songsInFolder(const std::filesystem::path& dataPath, std::string_view key,
                                                SongFolderIndex& index) {
    if (!index.known())
        return readSongsInFolder(dataPath, key, index);
    auto file = RecordFile::open(dataPath, kSongSize, RecordFileMode::Load);
    if (!file) {
        index.forget();
        return file.error();
    }
    const auto stamp = file->stamp();
    if (!stamp) {
        index.forget();
        return stamp.error();
    }
    if (*stamp != index.stamp())
        return readSongsInFolder(dataPath, key, index);
    std::vector<NumberedSong> songs;
    const auto numbers = index.numbersIn(std::string(key));
    songs.reserve(numbers.size());
    if (!readIndexed(*file, numbers, key, songs))
        return readSongsInFolder(dataPath, key, index);
    return songs;
}

Result<std::vector<NumberedSong>> readSongsInFolder(const std::filesystem::path& dataPath,
                                                    std::string_view key, SongFolderIndex& index) {
    std::vector<NumberedSong> songs;
    const ScanResult scanned = SongStore::scanBytes(
        dataPath, [&](const FileStamp& stamp) { index.restart(stamp); },
        [&](std::int64_t number, std::span<const std::uint8_t, kSongSize> bytes) {
            const std::string path =
                text::readPathField(text::fieldOf(bytes, SongRecord::Layout::kFileLocation));
            const std::string_view filedUnder = index.add(number, path);
            if (!key.empty() && filedUnder == key)
                songs.push_back({number, SongRecord::decode(bytes)});
        });
    if (scanned.error) {
        index.forget();
        return *scanned.error;
    }
    return songs;
}

} // namespace library
