// The folder scan: every song of a folder tree appended to "Data.mld", each group of songs made an
// album entry with its artist entries in "Album.mld" and "Artist.mld", the tables reloaded.
#include "app/form1.h"

#include "library/filetags.h"
#include "library/folderwalk.h"
#include "library/groupentries.h"
#include "library/recordstore.h"
#include "library/scanmark.h"
#include "library/songgrouping.h"
#include "library/songpath.h"
#include "library/tagmerge.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listview.h"
#include "platform/pathcase.h"
#include "platform/runtime.h"

#include <chrono>
#include <optional>
#include <string>

using library::SongRecord;
using SongStore = library::RecordStore<SongRecord>;

// The scan under way: the walk's visitor, which hands each group of songs found to WriteDataRecords,
// keeps the clock and the wheel line current, and gathers what was passed over and the first failure.
// Nothing else of the window runs meanwhile.
class FolderScan final : public library::FolderWalkVisitor {
public:
    explicit FolderScan(Form1& form)
        : m_form(form) {}

    // The songs listed since the last group are written as one group.
    bool enteringFolder() override {
        if (m_form.List1->listCount() > 0) {
            m_form.WriteDataRecords();
            m_form.List1->clear();
        }
        return !m_failure;
    }

    bool songFound(std::string_view path) override {
        m_form.List1->addItem(std::string(path));
        const std::string_view folder = library::folderOf(path);
        if (folder != m_lastFolder) {
            m_lastFolder.assign(folder);
        }
        tick();
        return !m_failure;
    }

    // The wheel line names the folder of the last song taken.
    void folderDone(std::string_view) override {
        if (m_lastFolder != m_shownFolder) {
            m_form.Label1[18].setVisible(true);
            m_form.Label1[18].setCaption(m_lastFolder);
            m_shownFolder = m_lastFolder;
        }
    }

    // The scan stops at its first failure to write the database.
    void fail(std::string reason) {
        if (!m_failure) {
            m_failure = std::move(reason);
        }
    }
    bool failed() const { return m_failure.has_value(); }

    // Marks where the three files stand before a group's first song is appended (library::ScanMark);
    // returns why it could not.
    std::optional<std::string> markGroupStart(const library::DatabaseFiles& files) {
        const auto counts = library::countRecords(files);
        if (!counts) {
            return counts.error().message();
        }
        if (!m_mark) {
            auto mark = library::ScanMark::open(files.scanMark());
            if (!mark) {
                return mark.error().message();
            }
            m_mark.emplace(std::move(mark).value());
        }
        if (auto error = m_mark->set(*counts)) {
            return error->message();
        }
        return std::nullopt;
    }

    // Every group was written whole: the mark goes.
    void removeMark() {
        if (m_mark) {
            m_mark->remove();
        }
    }

    void add(const library::FolderWalkSkips& more) {
        skipped.unreadableFolders += more.unreadableFolders;
        skipped.unreadableFiles += more.unreadableFiles;
        skipped.longPaths += more.longPaths;
    }

    // The one message at the end: the failure that stopped the scan and what it passed over; empty
    // when there is nothing to say.
    std::string report() const {
        std::string text;
        if (m_failure) {
            text = "The scan stopped: " + *m_failure + "\n\nThe songs added before it stay in the database.";
        }
        const auto line = [](int n, const char* one, const char* many, const char* what) {
            return n == 0 ? std::string() : "\n- " + std::to_string(n) + (n == 1 ? one : many) + what;
        };
        const std::string lines =
            line(skipped.unreadableFiles, " song file", " song files", " could not be read") +
            line(skipped.unreadableFolders, " folder", " folders", " could not be read") +
            line(skipped.longPaths, " song file", " song files",
                 " with a path longer than the 256 bytes the song database holds");
        if (!lines.empty()) {
            text += (text.empty() ? "" : "\n\n") + std::string("Passed over:") + lines;
        }
        return text;
    }

    library::FolderWalkSkips skipped;
    // The work table: the songs of the group being written, in the order they were appended; and the
    // album and artist entries made of them.
    std::vector<library::ScannedSong> songs;
    library::SongGroup group;

private:
    // The clock and the play-state picture, at most every half second. Without a player window the
    // clock tick would tell the user so at every song: then only the clock is left as it is.
    void tick() {
        tk::Runtime& rt = tk::Runtime::current();
        const auto now = rt.clock().steadyNow();
        if (m_ticked && now - m_lastTick < std::chrono::milliseconds(500)) {
            return;
        }
        m_ticked = true;
        m_lastTick = now;
        if (m_form.winamp.hWinAMP != 0) {
            m_form.Timer8_Timer();
        }
        rt.frameStep().end(); // shows the clock and the wheel line without handling any event
    }

    Form1& m_form;
    std::string m_lastFolder;
    std::string m_shownFolder;
    std::optional<std::string> m_failure;
    std::optional<library::ScanMark> m_mark;
    bool m_ticked = false;
    std::chrono::steady_clock::time_point m_lastTick;
};

void Form1::RecurseFiles2() {
    List1->clear();
    std::string folder = Dir2->path();
    if (folder.empty() || folder.back() != '/') {
        folder.push_back('/');
    }
    setMousePointer(tk::kPointerHourglass);
    FolderScan scan(*this);
    m_scan = &scan;
    try {
        // A group a former scan could not finish gets its entries before this scan's groups follow it.
        if (auto failure = library::completeStoppedGroup(databaseFiles())) {
            scan.fail(*failure);
        } else {
            ScanFolder(folder);
        }
        if (!scan.failed()) {
            WriteDataRecords(); // the songs still listed
        }
        // After a failure the mark stays: the next start or scan completes what the last group lacks.
        if (!scan.failed()) {
            scan.removeMark();
        }
    } catch (...) {
        m_scan = nullptr;
        setMousePointer(tk::kPointerDefault);
        throw;
    }
    m_scan = nullptr;
    Image2_Click(0);
    setMousePointer(tk::kPointerDefault);
    LoadDataBase();
    const std::string report = scan.report();
    if (!report.empty()) {
        tk::Runtime::current().messageBox().show(report, tk::kMsgExclamation,
                                                 tk::Runtime::current().appTitle());
    }
}

void Form1::ScanFolder(const std::string& path) {
    m_scan->add(library::walkSongFolders(path, SongRecord::kPathWidth, *m_scan));
}

void Form1::WriteDataRecords() {
    FolderScan& scan = *m_scan;
    auto store = SongStore::openForAppend(tk::nativePath(files.DataPath));
    if (!store) {
        scan.fail(store.error().message());
        return;
    }
    if (List1->listCount() > 0) {
        if (auto failure = scan.markGroupStart(databaseFiles())) {
            scan.fail(*failure);
            return;
        }
    }
    for (int idx = 0; idx < List1->listCount(); ++idx) {
        const std::string path = List1->list(idx);
        // The song's values come from its own file alone, never through the tag editor's boxes.
        const id3::FileTags file = id3::FileTags::read(path);
        if (!file.opened) {
            ++scan.skipped.unreadableFiles;
            continue;
        }
        files.SongRec = library::songRecordFrom(id3::mergeTags(file, path), path);
        const library::StoreResult written = store->append(files.SongRec);
        if (written.status == library::StoreStatus::PathNotStorable) {
            ++scan.skipped.longPaths;
            continue;
        }
        if (!written.ok()) {
            scan.fail(written.message() + "\n(while adding " + path + ")");
            break;
        }
        files.CurRecord = static_cast<std::int32_t>(written.number);
        files.SongRec.storedNumber = static_cast<std::int16_t>(written.number & 0xFFFF);
        songFolders.add(written.number, path);
        AddSongToTempList();
    }
    // The songs written so far get their album even when the scan stops here.
    GroupAlbumsAndArtists();
}

void Form1::AddSongToTempList() {
    const SongRecord& song = files.SongRec;
    m_scan->songs.push_back({song.artist, song.album, song.fileLocation, files.CurRecord});
}

void Form1::GroupAlbumsAndArtists() {
    // The album and artist tables hold what the database files hold: they are filled again at the end.
    for (tk::ListView* table : {TempAlbum, TempArtist}) {
        if (table->count() > 0) {
            table->clear();
        }
    }
    FolderScan& scan = *m_scan;
    scan.group = library::groupSongs(scan.songs);
    if (scan.group.albums.empty()) {
        scan.songs.clear();
        return;
    }
    // The group's album artist goes into the record of its first song, then come its entries; what
    // a failure leaves unwritten the next start or scan completes.
    const library::ScannedSong& first = scan.songs.front();
    files.CurRecord = static_cast<std::int32_t>(first.record);
    const library::StoreResult updated =
        library::writeAlbumArtist(databaseFiles().songs, first, scan.group.albums.front().artist);
    if (updated.ok()) {
        WriteAlbumRecords();
        WriteArtistRecords();
    } else {
        scan.fail(updated.message());
    }
    scan.songs.clear();
    scan.group = {};
}

void Form1::WriteAlbumRecords() {
    if (auto failure = library::appendEntries(databaseFiles().albums, m_scan->group.albums)) {
        m_scan->fail(*failure);
    }
}

void Form1::WriteArtistRecords() {
    if (auto failure = library::appendEntries(databaseFiles().artists, m_scan->group.artists)) {
        m_scan->fail(*failure);
    }
}

library::DatabaseFiles Form1::databaseFiles() const {
    return {tk::nativePath(files.DataPath), tk::nativePath(files.AlbumPath),
            tk::nativePath(files.ArtistPath)};
}

void Form1::completeStoppedScan() {
    if (auto failure = library::completeStoppedGroup(databaseFiles())) {
        tk::Runtime& rt = tk::Runtime::current();
        rt.messageBox().show("The last folder scan stopped before it had written its last album, and the "
                             "album could not be written now: its songs show in the song list but on no "
                             "album page until the next start or scan writes it.\n\n" +
                                 *failure,
                             tk::kMsgExclamation, rt.appTitle());
    }
}
