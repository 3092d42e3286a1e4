// The tag boxes of the tag editor page and the window's tag procedures over the tag code: the readers
// that fill the boxes and the current tag strings, the writer, and the song record filler.
#include "app/form1.h"

#include "library/filetags.h"
#include "library/genres.h"
#include "library/tagmerge.h"
#include "library/tagwriter.h"
#include "library/utf8.h"
#include "platform/combobox.h"
#include "platform/pathcase.h"
#include "platform/textbox.h"

#include <array>
#include <string>
#include <utility>

namespace {

using text::trimBlanks;

std::string trimmed(const std::optional<std::string>& value) {
    return value ? std::string(trimBlanks(*value)) : std::string();
}

// The current tag strings and the tag values they hold.
using TagString = std::pair<std::string TagState::*, std::string id3::TagValues::*>;
constexpr std::array<TagString, 7> kTagStrings{{{&TagState::TagArtist, &id3::TagValues::artist},
                                                {&TagState::TagTitle, &id3::TagValues::title},
                                                {&TagState::TagAlbum, &id3::TagValues::album},
                                                {&TagState::TagTrack, &id3::TagValues::track},
                                                {&TagState::TagYear, &id3::TagValues::year},
                                                {&TagState::TagGenre, &id3::TagValues::genre},
                                                {&TagState::TagComment, &id3::TagValues::comment}}};

// The current tag strings from both tags of the file at `path` (as the station stores it).
void takeMergedTags(TagState& tags, const id3::FileTags& file, const std::string& path) {
    const id3::TagValues merged = id3::mergeTags(file, path);
    for (const auto& [current, value] : kTagStrings) {
        tags.*current = merged.*value;
    }
}

} // namespace

// Only the tag strings: the boxes hold what the owner is editing, whatever song is read meanwhile (the
// editor's own song queued or dropped too).
void Form1::ReadID3v1() {
    for (const auto& [current, value] : kTagStrings) {
        (tags.*current).clear();
    }
}

void Form1::ReadID3v2() {
    takeMergedTags(tags, id3::FileTags::read(tk::nativePath(tags.CurrentPath)), tags.CurrentPath);
}

void Form1::readId3v1Boxes(const std::string& path) {
    ReadID3v1();
    for (int k = 0; k <= 6; ++k) {
        txtMP3[k].setText({});
    }
    const id3::FileTags file = id3::FileTags::read(tk::nativePath(path));
    if (!file.id3v1) {
        return;
    }
    const id3::Id3v1Tag& v1 = *file.id3v1;
    // As stored, blanks and all; only the merge trims.
    txtMP3[3].setText(v1.title);
    txtMP3[0].setText(v1.artist);
    txtMP3[1].setText(v1.album);
    txtMP3[4].setText(v1.year);
    txtMP3[6].setText(v1.comment);
    txtMP3[2].setText(id3::id3v1TrackText(v1.track));
    txtMP3[5].setText(std::string(library::genreName(v1.genre).value_or("")));
}

void Form1::readId3v2Boxes(const std::string& path) {
    const id3::FileTags file = id3::FileTags::read(tk::nativePath(path));
    const id3::Id3v2Tag none;
    const id3::Id3v2Tag& v2 = file.id3v2 ? *file.id3v2 : none;
    const id3::Id3v1Tag blank;
    const id3::Id3v1Tag& v1 = file.id3v1 ? *file.id3v1 : blank;
    // A tag without an artist or title frame shows "Unknown" or "Untitled" only when the ID3v1 tag
    // has no such value either: the box left empty lets the ID3v1 value through, as the merge does.
    const auto orDefault = [&](const std::optional<std::string>& frame, const std::string& v1Value,
                               const char* fallback) {
        if (frame || !file.id3v2) {
            return trimmed(frame);
        }
        return std::string(trimBlanks(v1Value).empty() ? fallback : "");
    };
    txtMP3[7].setText(orDefault(v2.artist, v1.artist, "Unknown"));
    txtMP3[10].setText(orDefault(v2.title, v1.title, "Untitled"));
    txtMP3[8].setText(trimmed(v2.album));
    txtMP3[9].setText(v2.track.value_or("")); // the track as written, "3/12" and all
    txtMP3[11].setText(trimmed(v2.year));
    txtMP3[12].setText(trimmed(v2.comment));
    const std::string genre = trimmed(v2.genre);
    cboGenre1->setText(genre);
    txtMP3[13].setText(genre);
    if (trimBlanks(txtMP3[10].text()).empty() && trimBlanks(txtMP3[3].text()).empty()) {
        txtMP3[3].setText(id3::titleFromPath(path));
    }
    takeMergedTags(tags, file, path);
}

id3::TagWriteResult Form1::WriteID3v2Tag() {
    const std::string path = tags.EditorPath.empty() ? tags.CurrentPath : tags.EditorPath;
    id3::TagValues values;
    values.artist = txtMP3[7].text();
    values.title = txtMP3[10].text();
    values.album = txtMP3[8].text();
    values.track = txtMP3[9].text();
    values.year = txtMP3[11].text();
    values.genre = cboGenre1->text();
    values.comment = txtMP3[12].text();
    tags.GenreIndex = library::genreNumber(values.genre);
    id3::TagWriteResult result = id3::writeTags(tk::nativePath(path), values);
    if (result.ok()) {
        // The boxes now show what the file holds.
        ClearTagFields();
        readId3v1Boxes(path);
        readId3v2Boxes(path);
    }
    return result;
}

void Form1::ClearTagFields() {
    for (int k = 0; k <= 12; ++k) {
        txtMP3[k].setText({});
    }
    cboGenre1->setText({});
}

void Form1::FillSongRecord(std::string_view path) {
    id3::TagValues current;
    for (const auto& [string, value] : kTagStrings) {
        current.*value = tags.*string;
    }
    files.SongRec = library::songRecordFrom(current, path);
    files.SongRec.storedNumber = static_cast<std::int16_t>(files.CurRecord & 0xFFFF);
}
