// The tag editor page: opened for the selected song of the song list, its buttons (copy the ID3v1
// values, OK, Apply) and the capitalisation of the ID3v2 texts.
#include "app/form1.h"

#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/utf8.h"
#include "platform/checkbox.h"
#include "platform/combobox.h"
#include "platform/listview.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/textbox.h"

#include <QChar>
#include <QString>

#include <charconv>
#include <string>

namespace {

using library::SongRecord;

void tell(const std::string& text) {
    tk::Runtime& rt = tk::Runtime::current();
    rt.messageBox().show(text, tk::kMsgExclamation, rt.appTitle());
}

std::u32string codePoints(std::string_view utf8) {
    const QList<uint> ucs4 = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

std::string toUtf8(const std::u32string& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

// One character's capital and small letter: always one character, so a text keeps its length.
char32_t capitalOf(char32_t c) {
    return QChar::toUpper(c);
}
char32_t smallOf(char32_t c) {
    return QChar::toLower(c);
}

// The first character and each character right after a "-" or a blank in capitals, the others in
// small letters; a separator right after a separator marks nothing ("a  b" gives "A  b").
std::string capitalized(std::string_view text) {
    std::u32string s = codePoints(text::trimBlanks(text));
    std::size_t mark = std::u32string::npos;
    for (std::size_t j = 0; j < s.size(); ++j) {
        const char32_t c = s[j];
        if (j == 0) {
            s[j] = capitalOf(c);
        } else if (j == mark) {
            s[j] = capitalOf(c);
            mark = std::u32string::npos;
        } else {
            if (c == U'-' || c == U' ') {
                mark = j + 1;
            }
            s[j] = c == capitalOf(c) ? c : smallOf(c);
        }
    }
    return toUtf8(s);
}

} // namespace

void Form1::openTagEditor() {
    const int row = ListView->selectedRow();
    if (row == 0) {
        return; // no song chosen: nothing to edit
    }
    const std::string path = ListView->subItem(row, 9);
    const std::string number = ListView->subItem(row, 10);
    std::int32_t record = 0;
    std::from_chars(number.data(), number.data() + number.size(), record);
    if (pages.EditID3v2Open == 0 &&
        !tk::Runtime::current().fileProbe().probe(tk::nativePath(path)).isRegular) {
        tell("The song's file is missing:\n\n" + path);
        return;
    }
    ToggleEditID3v2Page();
    if (pages.EditID3v2Open == 0) {
        tags.EditorPath.clear();
        return;
    }
    tags.EditorPath = path;
    tags.EditorRecord = record;
    ClearTagFields();
    tags.CurrentPath = path;
    files.CurRecord = record;
    Text4->setText(path);
    // The editor shows what the file's tags hold, not the database's values.
    readId3v1Boxes(path);
    readId3v2Boxes(path);
}

void Form1::Image4_MouseUp(int Index, int, int, float X, float Y) {
    static constexpr const char* kReleased[] = {"\\CopyToID3v2-Off.jpg", "\\OK-Off.jpg", "\\Apply-Off.jpg"};
    if (Index < 0 || Index > 2) {
        return;
    }
    tk::Image& button = Image4[Index];
    button.setBorderStyle(0);
    showSkinPicture(button, kReleased[Index]);
    if (X < 0 || Y < 0 || X >= button.width() || Y >= button.height()) {
        return; // released off the button: the press is given up
    }
    switch (Index) {
    case 0:
        copyTagsToId3v2();
        break;
    case 1:
        ToggleEditID3v2Page();
        if (pages.EditID3v2Open == 0) {
            tags.EditorPath.clear();
        }
        break;
    default:
        ApplyTagEdit();
        break;
    }
}

void Form1::copyTagsToId3v2() {
    const auto copy = [this](int from, int to) {
        txtMP3[to].setText(std::string(text::trimBlanks(txtMP3[from].text())));
    };
    copy(0, 7);
    copy(1, 8);
    copy(2, 9);
    copy(3, 10);
    copy(4, 11);
    cboGenre1->setText(std::string(text::trimBlanks(txtMP3[5].text())));
    copy(6, 12);
}

void Form1::ApplyTagEdit() {
    if (tags.EditorPath.empty()) {
        return;
    }
    CapitalizeTagText();
    const id3::TagWriteResult written = WriteID3v2Tag();
    if (!written.ok()) {
        // The page stays open with the owner's texts, to try again.
        tell("The tags could not be written. " + written.reason + "\n\n" + tags.EditorPath);
        return;
    }
    files.CurRecord = tags.EditorRecord;
    if (!rewriteEditedRecord()) {
        return;
    }
    const std::string number = library::formatRecordNumber(tags.EditorRecord);
    for (int row = 1; row <= ListView->count(); ++row) {
        if (ListView->subItem(row, 10) != number) {
            continue;
        }
        ListView->setText(row, files.SongRec.albumBy);
        const std::pair<int, const std::string*> cells[] = {
            {1, &tags.TagArtist}, {2, &tags.TagAlbum}, {3, &tags.TagTrack},  {4, &tags.TagTitle},
            {6, &tags.TagYear},   {7, &tags.TagGenre}, {8, &tags.TagComment}};
        for (const auto& [column, value] : cells) {
            ListView->setSubItem(row, column, *value);
        }
        break;
    }
}

// The record of the editor's song from what its file now holds, written in place only while the
// record still holds that song; its album artist and play count stay. The tables are reloaded.
bool Form1::rewriteEditedRecord() {
    files.DataWriteMode = 1;
    FillSongRecord(tags.EditorPath);
    auto store = library::RecordStore<SongRecord>::openForUpdate(tk::nativePath(files.DataPath));
    const library::StoreResult written =
        store ? store->update(files.CurRecord, tags.EditorPath,
                              [&](SongRecord& stored) {
                                  SongRecord edited = files.SongRec;
                                  edited.albumBy = stored.albumBy;
                                  edited.playedTimes = stored.playedTimes;
                                  edited.storedNumber = stored.storedNumber;
                                  stored = edited;
                                  files.SongRec = edited;
                              })
              : library::StoreResult{library::StoreStatus::FileFailed, files.CurRecord, store.error()};
    files.DataWriteMode = 0;
    LoadDataBase();
    if (!written.ok()) {
        tell("The tags were written to the song, but its record in the song database was left as it was. " +
             written.message());
    }
    return written.ok();
}

void Form1::LowerCaseTagText() {
    for (int k = 7; k <= 13; ++k) {
        std::u32string s = codePoints(text::trimBlanks(txtMP3[k].text()));
        for (char32_t& c : s) {
            c = smallOf(c);
        }
        txtMP3[k].setText(toUtf8(s));
    }
}

void Form1::CapitalizeTagText() {
    if (Check4->value() == 0) {
        return;
    }
    LowerCaseTagText();
    for (int k = 7; k <= 13; ++k) {
        txtMP3[k].setText(capitalized(txtMP3[k].text()));
    }
}
