#include "peers.h"

#include <cstdio>
#include <iconv.h>
#include <memory>
#include <sstream>

#include <taglib/id3v1tag.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace peers {

namespace {
std::string quoted(const std::string& s) {
    std::string out = "'";
    for (const char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::optional<std::string> run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        out.append(buffer, n);
    if (::pclose(pipe.release()) != 0)
        return std::nullopt;
    return out;
}

std::string mutagenCommand(const std::string& arguments) {
    return std::string(TUNNORA_PYTHON) + " " + quoted(TUNNORA_MUTAGEN_PEER) + " " + arguments +
           " 2>/dev/null";
}

std::string fromHex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::string utf8(const TagLib::String& s) {
    return s.to8Bit(true);
}

// TagLib reads ID3v1 text as Latin-1: its bytes are read again as Windows-1252, through the C
// library's own table.
std::string windows1252(const TagLib::String& latin1) {
    std::string bytes = latin1.to8Bit(false);
    std::string out(bytes.size() * 3, '\0');
    char* from = bytes.data();
    char* to = out.data();
    std::size_t fromLeft = bytes.size();
    std::size_t toLeft = out.size();
    static const iconv_t decoder = iconv_open("UTF-8", "WINDOWS-1252");
    if (iconv(decoder, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1))
        return utf8(latin1);
    out.resize(out.size() - toLeft);
    return out;
}
} // namespace

bool mutagenAvailable() {
    return run(std::string(TUNNORA_PYTHON) + " -c 'import mutagen' 2>/dev/null").has_value();
}

std::optional<Values> mutagenRead(const std::filesystem::path& file) {
    const auto out = run(mutagenCommand("read " + quoted(file.string())));
    if (!out)
        return std::nullopt;
    Values values;
    std::istringstream lines(*out);
    std::string line;
    while (std::getline(lines, line)) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos)
            values[line.substr(0, tab)] = fromHex(line.substr(tab + 1));
    }
    return values;
}

bool mutagenMake(const std::filesystem::path& file, const std::string& json) {
    return run(mutagenCommand("make " + quoted(file.string()) + " " + quoted(json))).has_value();
}

std::optional<double> mutagenLength(const std::filesystem::path& file) {
    const auto out = run(mutagenCommand("length " + quoted(file.string())));
    if (!out || out->empty())
        return std::nullopt;
    return std::stod(*out);
}

Values taglibRead(const std::filesystem::path& file) {
    Values values;
    TagLib::MPEG::File mp3(file.c_str(), false);
    if (mp3.hasID3v2Tag()) {
        TagLib::ID3v2::Tag* tag = mp3.ID3v2Tag();
        values["version"] = "2." + std::to_string(tag->header()->majorVersion());
        const auto& frames = tag->frameListMap();
        const auto text = [&](const char* key, std::initializer_list<const char*> ids) {
            for (const char* id : ids) {
                const auto it = frames.find(id);
                if (it != frames.end() && !it->second.isEmpty()) {
                    values[key] = utf8(it->second.front()->toString());
                    return;
                }
            }
        };
        text("artist", {"TPE1"});
        text("title", {"TIT2"});
        text("album", {"TALB"});
        text("track", {"TRCK"});
        text("year", {"TYER", "TDRC"});
        if (frames.contains("TCON"))
            values["genre"] = utf8(tag->genre());
        if (frames.contains("COMM"))
            values["comment"] = utf8(tag->comment());
    }
    if (mp3.hasID3v1Tag()) {
        TagLib::ID3v1::Tag* tag = mp3.ID3v1Tag();
        values["v1"] = "yes";
        const auto put = [&](const char* key, const TagLib::String& s) {
            if (!s.isEmpty())
                values[key] = windows1252(s);
        };
        put("v1title", tag->title());
        put("v1artist", tag->artist());
        put("v1album", tag->album());
        put("v1comment", tag->comment());
        if (tag->year() != 0)
            values["v1year"] = std::to_string(tag->year());
        if (tag->track() != 0)
            values["v1track"] = std::to_string(tag->track());
        if (tag->genreNumber() != 255)
            values["v1genre"] = std::to_string(tag->genreNumber());
    }
    return values;
}

std::optional<std::size_t> mpg123DecodedBytes(const std::filesystem::path& file) {
    const auto out = run("mpg123 -q --no-gapless -s " + quoted(file.string()) + " 2>/dev/null");
    if (!out)
        return std::nullopt;
    return out->size();
}

} // namespace peers
