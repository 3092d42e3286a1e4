#pragma once

#include "library/fileerror.h"
#include "library/recordfile.h"
#include "library/result.h"
#include "library/storeresult.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace library {

// All whole records of a file in number order (record n at index n - 1), the stamp of the file they
// were read from, and the error that cut the load short: an unreadable file loads as empty and says why.
template <class Record> struct LoadedRecords {
    std::vector<Record> records;
    FileStamp stamp;
    std::optional<FileError> error;
};

// What a scan of every record found: the stamp of the file read (its length gives the record count)
// and the error that cut the scan short.
struct ScanResult {
    FileStamp stamp;
    std::optional<FileError> error;
};

// Typed access to a file of `Record`s (SongRecord, AlbumRecord): the bulk load, appends after the
// last whole record, and guarded in-place updates.
template <class Record> class RecordStore {
public:
    static constexpr std::size_t kRecordSize = Record::kSize;

    // Hands every whole record to `use(number, bytes)` in number order, the record's undecoded bytes
    // (a std::span<const std::uint8_t, kRecordSize>), so a caller that needs a few fields decodes only
    // those. The file is opened read-only; a missing file is created empty when the folder allows it.
    // After an error the records handed over so far are all there is.
    template <class Use>
    [[nodiscard]] static ScanResult scanBytes(const std::filesystem::path& path, Use&& use) {
        return scanBytes(
            path, [](const FileStamp&) {}, use);
    }

    // The same, telling `begin(stamp)` the stamp of the file (its length gives the number of whole
    // records) before the first record comes.
    template <class Begin, class Use>
    [[nodiscard]] static ScanResult scanBytes(const std::filesystem::path& path, Begin&& begin, Use&& use) {
        ScanResult result;
        auto file = RecordFile::open(path, kRecordSize, RecordFileMode::Load);
        if (!file) {
            result.error = file.error();
            return result;
        }
        const auto stamp = file->stamp();
        if (!stamp) {
            result.error = stamp.error();
            return result;
        }
        result.stamp = *stamp;
        begin(result.stamp);
        const auto count = static_cast<std::int64_t>(stamp->length / kRecordSize);
        // Read in blocks of whole records: as fast as one read of the whole file, without holding
        // the whole file in memory.
        constexpr std::int64_t kBlock = 2048;
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(count, kBlock)) * kRecordSize);
        for (std::int64_t first = 1; first <= count; first += kBlock) {
            const auto n = static_cast<std::size_t>(std::min(kBlock, count - first + 1));
            const std::span<std::uint8_t> block(buffer.data(), n * kRecordSize);
            if (auto error = file->read(first, block)) {
                result.error = std::move(error);
                return result;
            }
            for (std::size_t i = 0; i < n; ++i)
                use(first + static_cast<std::int64_t>(i),
                    std::span<const std::uint8_t, kRecordSize>(
                        block.subspan(i * kRecordSize).template first<kRecordSize>()));
        }
        return result;
    }

    // Reads every whole record. The file is opened read-only; a missing file is created empty.
    [[nodiscard]] static LoadedRecords<Record> load(const std::filesystem::path& path) {
        LoadedRecords<Record> loaded;
        auto result = scanBytes(
            path,
            // Room for the records up front, within reason: a huge damaged file must not allocate at once.
            [&](const FileStamp& stamp) {
                loaded.records.reserve(
                    static_cast<std::size_t>(std::min<std::uint64_t>(stamp.length / kRecordSize, 1 << 20)));
            },
            [&](std::int64_t, std::span<const std::uint8_t, kRecordSize> bytes) {
                loaded.records.push_back(Record::decode(bytes));
            });
        loaded.stamp = result.stamp;
        if (result.error) {
            loaded.records.clear();
            loaded.error = std::move(result.error);
        }
        return loaded;
    }

    // Opens the file for appending; a missing file is created.
    [[nodiscard]] static Result<RecordStore> openForAppend(const std::filesystem::path& path) {
        auto file = RecordFile::open(path, kRecordSize, RecordFileMode::Append);
        if (!file)
            return file.error();
        return RecordStore(std::move(file).value());
    }

    // Opens an existing file for in-place updates; never creates one.
    [[nodiscard]] static Result<RecordStore> openForUpdate(const std::filesystem::path& path) {
        auto file = RecordFile::open(path, kRecordSize, RecordFileMode::Update);
        if (!file)
            return file.error();
        return RecordStore(std::move(file).value());
    }

    [[nodiscard]] Result<std::int64_t> count() const { return m_file.count(); }

    // Appends `record` after the last whole record; its number field gets the new position.
    [[nodiscard]] StoreResult append(const Record& record) {
        const auto count = m_file.count();
        if (!count)
            return {StoreStatus::FileFailed, 0, count.error()};
        const std::int64_t number = *count + 1;
        std::array<std::uint8_t, kRecordSize> bytes{};
        if (!record.encode(number, bytes))
            return {StoreStatus::PathNotStorable, number, std::nullopt};
        if (auto error = m_file.write(number, bytes))
            return {StoreStatus::FileFailed, number, std::move(error)};
        return {StoreStatus::Written, number, std::nullopt};
    }

    // Reads record `number`, or nothing when it does not exist or cannot be read.
    [[nodiscard]] std::optional<Record> read(std::int64_t number) const {
        std::array<std::uint8_t, kRecordSize> bytes{};
        if (number < 1 || m_file.read(number, bytes))
            return std::nullopt;
        return Record::decode(bytes);
    }

    // Changes record `number` in place, only when it exists and holds `expectedPath`: otherwise
    // nothing is written. Only the fields that `change` alters are re-encoded; the number field is
    // rewritten from the position.
    template <class Change>
    [[nodiscard]] StoreResult update(std::int64_t number, std::string_view expectedPath, Change&& change) {
        const auto count = m_file.count();
        if (!count)
            return {StoreStatus::FileFailed, number, count.error()};
        if (number < 1 || number > *count)
            return {StoreStatus::NoSuchRecord, number, std::nullopt};
        std::array<std::uint8_t, kRecordSize> bytes{};
        if (auto error = m_file.read(number, bytes))
            return {StoreStatus::FileFailed, number, std::move(error)};
        const Record before = Record::decode(bytes);
        if (before.path() != expectedPath)
            return {StoreStatus::PathMismatch, number, std::nullopt};
        Record after = before;
        change(after);
        if (!after.encode(number, bytes, &before))
            return {StoreStatus::PathNotStorable, number, std::nullopt};
        if (auto error = m_file.write(number, bytes))
            return {StoreStatus::FileFailed, number, std::move(error)};
        return {StoreStatus::Written, number, std::nullopt};
    }

    [[nodiscard]] std::optional<FileError> sync() { return m_file.sync(); }

private:
    explicit RecordStore(RecordFile file)
        : m_file(std::move(file)) {}

    RecordFile m_file;
};

} // namespace library
