#include "app/navigation.h"
#include "gui.h"
#include "library/peers.h"
#include "library/recordstore.h"
#include "platform/checkbox.h"
#include "platform/combobox.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

#include "fixtures/mp3file.h"

#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;

namespace {

namespace fs = std::filesystem;
using Songs = library::RecordStore<library::SongRecord>;

void writeSong(const fs::path& path, const std::string& artist, const std::string& v1Title = {}) {
    fs::create_directories(path.parent_path());
    fixtures::Mp3Recipe recipe;
    recipe.seconds = 0.1;
    recipe.id3v2.emplace();
    recipe.id3v2->artist = artist;
    recipe.id3v2->track = "3/12";
    if (!v1Title.empty())
        recipe.id3v1 = fixtures::Id3v1Fields{
            .title = v1Title, .artist = "V1 " + artist, .album = {}, .year = {}, .comment = {}, .genre = 17};
    ASSERT_TRUE(fixtures::writeMp3(path, recipe));
}

// A station on an empty database that scanned `tree`, with the database page open.
struct Editor : ReadyStation {
    explicit Editor(const fs::path& tree)
        : ReadyStation(0) {
        f->Dir2->setPath(tree.string());
        f->RecurseFiles2();
        click(&f->switch_[12]);
    }
    // Selects the song of `path` in the song list and presses "Edit tags".
    void edit(const fs::path& path) {
        for (int r = 1; r <= f->ListView->count(); ++r)
            if (f->ListView->subItem(r, 9) == path.string())
                f->ListView->select(r);
        click(&f->Image2[2]);
    }
    library::SongRecord record(int n) {
        return Songs::load(rt.programFolder() / "Data.mld").records.at(n - 1);
    }
};

TEST(TagEditor, ApplyWritesTheEditorsSongAndRecordWhateverRanMeanwhile) {
    fixtures::TempFolder music;
    const fs::path one = music / "Tree/one.mp3", two = music / "Tree/two.mp3";
    writeSong(one, "Old", "Title One");
    writeSong(two, "Other");
    Editor s(music / "Tree");
    Form1& f = *s.f;
    auto played = Songs::openForUpdate(s.rt.programFolder() / "Data.mld");
    ASSERT_TRUE(played->update(1, one.string(), [](library::SongRecord& r) { r.playedTimes = "7"; }).ok());
    s.edit(one);
    ASSERT_EQ(f.pages.EditID3v2Open, 1);
    EXPECT_EQ(f.Text4->text(), one.string());
    const std::vector<std::string> v1{"V1 Old", "", "000", "Title One", "", "Rock", ""};
    for (int k = 0; k <= 6; ++k)
        EXPECT_EQ(f.txtMP3[k].text(), v1[k]) << k;
    EXPECT_EQ(f.txtMP3[7].text(), "Old");
    EXPECT_EQ(f.txtMP3[9].text(), "3/12");
    EXPECT_EQ(f.txtMP3[10].text(), ""); // no title frame, but the ID3v1 title stands in
    EXPECT_EQ(f.tags.TagTitle, "Title One");

    f.txtMP3[7].setText("new ARTIST");
    f.txtMP3[8].setText("the BEST-of  album");
    f.txtMP3[11].setText("1987");
    f.txtMP3[12].setText("live take");
    f.Check4->setValue(1);
    // Meanwhile a song starts, another file is read for the playlist, the editor's own song is queued
    // from the add-songs page and dropped on the now-playing cover, a scan runs, the layout editor comes
    // and goes: none of it changes what Apply writes, or where.
    f.tags.CurrentPath = two.string();
    f.files.CurRecord = 2;
    f.ReadID3v1();
    f.ReadID3v2();
    EXPECT_EQ(f.tags.TagArtist, "Other");
    f.Dir1->setPath((music / "Tree").string());
    pressOn(&f.Switches[8]);
    releaseOn(&f.Switches[8]);
    f.File1->setListIndex(0);
    ASSERT_EQ(f.File1->fileName(), "one.mp3");
    f.File1_DblClick();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(one.string()))});
    drop(&f.Image1[1], dropped);
    ASSERT_EQ(f.play->count(), 3);
    EXPECT_EQ(f.play->subItem(3, 3), "Old"); // queued with the file's own tags
    EXPECT_EQ(f.Label1[5].caption(), "Old");
    EXPECT_EQ(f.txtMP3[7].text(), "new ARTIST");
    EXPECT_EQ(f.txtMP3[0].text(), "V1 Old");
    f.RecurseFiles2();
    f.StartLayoutEdit();
    f.EndLayoutEdit();
    click(&f.Image4[2]);

    for (const auto& values : {peers::mutagenRead(one).value_or(peers::Values{}), peers::taglibRead(one)}) {
        EXPECT_EQ(values.at("artist"), "New Artist");
        EXPECT_EQ(values.at("album"), "The Best-Of  album");
        EXPECT_EQ(values.at("v1artist"), "New Artist");
        EXPECT_EQ(values.at("year"), "1987");
        EXPECT_EQ(values.at("comment"), "Live Take");
    }
    EXPECT_EQ(peers::taglibRead(two).at("artist"), "Other");
    const library::SongRecord edited = s.record(1);
    EXPECT_EQ(edited.artist, "New Artist");
    EXPECT_EQ(edited.album, "The Best-Of  album");
    EXPECT_EQ(edited.albumBy, "Various Artists"); // kept, like the play count
    EXPECT_EQ(edited.playedTimes, "7");
    EXPECT_EQ(s.record(3).artist, "Old"); // the same file scanned again is another record
    const int row = f.ListView->findItem("Various Artists");
    ASSERT_GT(row, 0);
    EXPECT_EQ(f.ListView->subItem(row, 1), "New Artist");
    EXPECT_EQ(f.pages.EditID3v2Open, 1);

    // A refused write says why and keeps the owner's text; the record stays.
    fs::permissions(one, fs::perms::owner_read);
    f.Check4->setValue(0);
    f.txtMP3[7].setText("Refused");
    click(&f.Image4[2]);
    ASSERT_FALSE(s.rt.messages().shown.empty());
    EXPECT_NE(s.rt.messages().shown.back().text.find("read-only"), std::string::npos);
    EXPECT_EQ(f.txtMP3[7].text(), "Refused");
    EXPECT_EQ(s.record(1).artist, "New Artist");

    // A record that has come to hold another song is left alone, and the owner is told.
    fs::permissions(one, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(
        played->update(1, one.string(), [&](library::SongRecord& r) { r.fileLocation = two.string(); }).ok());
    click(&f.Image4[2]);
    EXPECT_NE(s.rt.messages().shown.back().text.find("holds another song"), std::string::npos);
    EXPECT_EQ(s.record(1).artist, "New Artist");
    EXPECT_EQ(peers::taglibRead(one).at("artist"), "Refused");
}

TEST(TagEditor, CapitalisesTheId3v2BoxesOnlyWhenTickedAndOpensOnlyForASelectedSongWhoseFileIsThere) {
    fixtures::TempFolder music;
    writeSong(music / "Tree/one.mp3", "A");
    Editor s(music / "Tree");
    Form1& f = *s.f;
    const std::string longText(250, 'x'); // past the 130 characters of the old limit
    const std::vector<std::pair<std::string, std::string>> cases{{"AC/DC", "Ac/dc"},
                                                                 {"the beatles", "The Beatles"},
                                                                 {"o'brien", "O'brien"},
                                                                 {" rock-n-roll ", "Rock-N-Roll"},
                                                                 {"a  b", "A  b"},
                                                                 {"ÉMILE straße", "Émile Straße"},
                                                                 {longText, "X" + longText.substr(1)}};
    for (int k = 7; k <= 13; ++k)
        f.txtMP3[k].setText(cases[k - 7].first);
    f.CapitalizeTagText();
    EXPECT_EQ(f.txtMP3[7].text(), "AC/DC"); // not ticked: as typed
    f.Check4->setValue(1);
    f.CapitalizeTagText();
    for (int k = 7; k <= 13; ++k)
        EXPECT_EQ(f.txtMP3[k].text(), cases[k - 7].second) << k;

    // The editor opens only for a selected song whose file is there.
    f.ListView->select(0);
    click(&f.Image2[2]);
    EXPECT_EQ(f.pages.EditID3v2Open, 0);
    fs::remove(music / "Tree/one.mp3");
    s.edit(music / "Tree/one.mp3");
    EXPECT_EQ(f.pages.EditID3v2Open, 0);
    ASSERT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_EQ(s.rt.messages().shown[0].text,
              "The song's file is missing:\n\n" + (music / "Tree/one.mp3").string());
}

TEST(DatabasePage, ButtonsSlideThePagesAndOnlyTheExactPasswordDeletesTheDatabase) {
    ReadyStation s(3);
    Form1& f = *s.f;
    const fs::path folder = s.rt.programFolder();
    click(&f.switch_[12]);
    click(&f.Image2[0]);
    click(&f.Image3[1]); // cancel slides the page out again
    EXPECT_EQ(f.pages.AddMoreSongsOpen, 0);
    click(&f.Image2[0]);
    EXPECT_EQ(f.pages.AddMoreSongsOpen, 1);
    click(&f.Image3[2]);
    EXPECT_EQ(f.pages.DeleteDataBaseOpen, 1);
    type(f.Text3, "kestrum");
    click(&f.Image3[3]);
    EXPECT_EQ(f.Text3->text(), "");
    EXPECT_TRUE(fs::exists(folder / "Data.mld"));
    type(f.Text3, "Kestru");
    click(&f.Image3[4]); // cancel empties the box
    EXPECT_EQ(f.Text3->text(), "");
    EXPECT_EQ(f.pages.DeleteDataBaseOpen, 0);

    click(&f.Image3[2]);
    type(f.Text3, "Kestrum");
    click(&f.Image3[3]);
    for (const char* name : {"Data.mld", "Album.mld", "Artist.mld"})
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    EXPECT_EQ(f.ListView->count() + f.TempAlbum->count() + f.TempArtist->count(), 0);
    for (int k = 14; k <= 16; ++k)
        EXPECT_EQ(f.Label1[k].caption(), "0");
    EXPECT_EQ(f.pages.DeleteDataBaseOpen, 0);
    EXPECT_EQ(f.Text3->text(), "");
    EXPECT_TRUE(s.rt.messages().shown.empty()); // missing files were fine

    // A file that cannot go is named, and the tables show what is left.
    writeDatabase(folder, makeDatabase(folder / "Music", 2, 2));
    fs::remove(folder / "Artist.mld");
    fs::create_directories(folder / "Artist.mld/kept");
    click(&f.Image3[2]);
    type(f.Text3, "Kestrum");
    click(&f.Image3[3]);
    ASSERT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_NE(s.rt.messages().shown[0].text.find((folder / "Artist.mld").string()), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "Album.mld"));
    EXPECT_EQ(f.Label1[14].caption(), "0");

    // Get files scans the folder of Dir2, slides the page out and shows the new counts.
    fs::remove_all(folder / "Artist.mld");
    writeSong(folder / "New/a.mp3", "A");
    writeSong(folder / "New/b.mp3", "B");
    f.Dir2->setPath((folder / "New").string());
    click(&f.Image3[0]);
    EXPECT_EQ(f.pages.AddMoreSongsOpen, 0);
    EXPECT_EQ(f.Label1[14].caption(), "2");
    EXPECT_EQ(f.Label1[16].caption(), "2");
    EXPECT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_EQ(f.mousePointer(), tk::kPointerDefault);
}

} // namespace
