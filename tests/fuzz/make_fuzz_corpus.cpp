// Writes the malformed-input corpus of the tag readers and the record decoder into a folder:
// <folder>/id3v1, <folder>/id3v2 and <folder>/records, one file per case.
#include "fixtures/mp3audio.h"
#include "fixtures/tagbytes.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using namespace fixtures;
namespace fs = std::filesystem;

namespace {
void put(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes header(std::initializer_list<std::uint8_t> sizeBytes, std::uint8_t major = 3, std::uint8_t flags = 0) {
    return Bytes{'I', 'D', '3', major, 0, flags} + Bytes(sizeBytes);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_corpus FOLDER\n";
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path v2 = root / "id3v2";
    const Bytes audio = silentAudio(0.05).bytes;
    const Bytes title = frame(3, "TIT2", textData(0, "Title"));

    put(v2, "valid23", id3v2Tag(3, {title, frame(3, "COMM", commentData(1, "eng", "", "c"))}, 32) + audio);
    put(v2, "valid24",
        id3v2Tag(4, {frame(4, "TPE1", textData(3, "A")), frame(4, "TCON", textData(0, "(17)"))}, 32));
    put(v2, "valid22",
        id3v2Tag(2, {frame(2, "TT2", textData(0, "T")), frame(2, "COM", commentData(0, "eng", "", "c"))}));
    const Bytes full = header({0, 0, 1, 0});
    for (std::size_t cut = 1; cut < full.size(); ++cut)
        put(v2, "truncated-header-" + std::to_string(cut),
            Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)));
    put(v2, "size-7f7f7f7f-on-1k",
        header({0x7F, 0x7F, 0x7F, 0x7F}) + title + Bytes(1024 - 10 - title.size(), 0));
    put(v2, "size-bytes-over-0x80", header({0x80, 0x81, 0xFF, 0xFF}) + title + audio);
    put(v2, "frame-overruns-tag",
        header({0, 0, 0, 20}) + bytesOf("TIT2") + bigEndian(0x7FFFFFF0) + Bytes{0, 0} + textData(0, "x"));
    put(v2, "frame-overruns-file",
        header({0, 0, 1, 0}) + bytesOf("TPE1") + bigEndian(120) + Bytes{0, 0, 0, 'a'});
    put(v2, "truncated-frame-header", header({0, 0, 0, 30}) + bytesOf("TIT"));
    put(v2, "ext-header-runaway", header({0, 0, 0, 40}, 3, 0x40) + bigEndian(0xFFFFFFFF) + Bytes(36, 0));
    put(v2, "ext-header-24-bad", header({0, 0, 0, 40}, 4, 0x40) + Bytes{0x80, 0, 0, 2} + Bytes(36, 0));
    put(v2, "unsync-ends-in-ff",
        header({0, 0, 0, 16}, 3, 0x80) + bytesOf("TIT2") + bigEndian(2) + Bytes{0, 0, 0, 0xFF, 0xFF, 0});
    // A cover of 8000 0xFF 0x00 pairs, each stored unsynchronised as 0xFF 0x00 0x00, in front of the
    // title: it runs across the pieces the reader undoes the tag in.
    Bytes cover = bytesOf("APIC") + bigEndian(16000) + Bytes{0, 0};
    for (int i = 0; i < 8000; ++i)
        cover.insert(cover.end(), {0xFF, 0x00, 0x00});
    put(v2, "unsync-cover-first",
        Bytes{'I', 'D', '3', 3, 0, 0x80} + syncSafe(static_cast<std::uint32_t>(cover.size() + title.size())) +
            cover + title + audio);
    put(v2, "utf16-odd-length",
        id3v2Tag(3, {frame(3, "TIT2", Bytes{1, 0xFF, 0xFE, 'a'}), frame(3, "TPE1", Bytes{1, 0xFF})}));
    put(v2, "utf16-lone-surrogate", id3v2Tag(4, {frame(4, "TIT2", Bytes{2, 0xD8, 0x00, 0, 'a'})}));
    put(v2, "bad-encoding", id3v2Tag(4, {frame(4, "TIT2", Bytes{9, 'a'}), frame(4, "COMM", Bytes{7})}));
    put(v2, "comment-short",
        id3v2Tag(3, {frame(3, "COMM", Bytes{0, 'e'}), frame(3, "COMM", Bytes{1, 'e', 'n', 'g', 0xFF})}));
    put(v2, "flags-without-room",
        id3v2Tag(4, {frame(4, "TIT2", Bytes{0}, 0x0041), frame(4, "TPE1", Bytes{}, 0x0040)}));
    put(v2, "syncsafe-lies",
        header({0, 0, 2, 0}, 4) + bytesOf("TIT2") + Bytes{0, 0, 1, 0} + Bytes{0, 0} + textData(0, "t") +
            Bytes(300, 'z'));
    put(v2, "genre-references", id3v2Tag(3, {frame(3, "TCON", textData(0, "(999999999999)(RX)((x"))}));
    put(v2, "zero-size-frames", id3v2Tag(3, {frame(3, "TIT2", Bytes{}), frame(3, "TPE1", Bytes{})}) + audio);

    const fs::path v1 = root / "id3v1";
    put(v1, "valid11", audio + id3v1Tag({"T", "A", "B", "1999", "c", 3, 17, true}));
    put(v1, "valid10", id3v1Tag({"T", "A", "B", "1999", std::string(30, 'c'), 0, 255, false}));
    put(v1, "short", Bytes{'T', 'A', 'G', 'x'});
    put(v1, "no-zero-bytes", Bytes{'T', 'A', 'G'} + Bytes(125, 0xE9));

    const fs::path records = root / "records";
    put(records, "blank", Bytes(940, ' '));
    put(records, "zeros", Bytes(940, 0));
    put(records, "high-bytes", Bytes(940, 0xC3));
    put(records, "short", bytesOf("\x01\x00Various"));
    Bytes cut(940, 'a');
    for (std::size_t i = 120; i < 940; i += 128)
        cut[i] = 0xE2; // a three-byte character cut by a field end
    put(records, "cut-characters", cut);
    return 0;
}
