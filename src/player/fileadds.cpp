// Filling the playlist from the add-songs page: a file of the file box by a double-click, or every
// listed file of the folder by the load-directory button. Such a file has no record in the database:
// its row carries its own tags and "None" for a record number, and it is neither marked nor counted
// as chosen, so the same file can be queued again.
#include "app/form1.h"

#include "library/songpath.h"
#include "platform/errors.h"
#include "platform/filelists.h"
#include "platform/runtime.h"
#include "player/playrules.h"
#include "player/songsource.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kMusicPattern = "*.mp3;*.cda;*.mid";
constexpr const char* kNoMusicFiles = "Sorry, But No MP3 Files Were Found In This Folder";

// The last three characters of a name in lower case: its ending whatever its letter case.
std::string endingOf(std::string_view name) {
    std::string ending(name.substr(name.size() - std::min<std::size_t>(name.size(), 3)));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}

} // namespace

// Every queued or dropped file shows its own tags only: the four strings start empty, so a file whose
// name tells nothing never shows the song read before it. MP3 and MP2 files are read for their tags; a
// CD track file ("Track05.cda") gives its track number and title from its name, a MIDI file its name
// as the title.
void Form1::readFileTags() {
    for (std::string* tag : {&tags.TagTrack, &tags.TagTitle, &tags.TagArtist, &tags.TagAlbum}) {
        tag->clear();
    }
    const std::string name(library::fileNameOf(tags.CurrentPath));
    const std::string ending = endingOf(name);
    if (ending == "mp3" || ending == "mp2") {
        ReadID3v1();
        ReadID3v2();
    } else if (ending == "cda") {
        tags.TagTrack = name.size() > 5 ? name.substr(5, 2) : std::string();
        tags.TagTitle = name.substr(0, 7);
    } else if (ending == "mid") {
        tags.TagTitle = name;
    }
}

void Form1::queueFile(const std::string& folder, const std::string& name) {
    tags.CurrentPath = player::pathInFolder(folder, name);
    readFileTags();
    appendPlaylistRow(
        {tags.TagTrack, tags.TagTitle, tags.TagArtist, tags.TagAlbum, tags.CurrentPath, "None"});
    for (std::string* tag : {&tags.TagTrack, &tags.TagTitle, &tags.TagArtist, &tags.TagAlbum}) {
        tag->clear();
    }
    showRandomLimit(randomPickWhole(*ListView) - playback.ChosenCount);
    showQueueCounter();
}

// The file box lists the folder it was given: its chosen file is taken from there. Without a chosen
// file nothing is queued.
void Form1::File1_DblClick() {
    const std::string name = File1->fileName();
    if (name.empty()) {
        return;
    }
    queueFile(File1->path(), name);
    tk::ignoreErrors([this] { Dir1->refresh(); });
    File1->refresh();
}

void Form1::File1_MouseDown(int, int, float, float) {
    browse.DragSource = 0;
}

// The load-directory button: every music file the folder box's folder holds, in the file box's order.
void Form1::loadFolderIntoPlaylist() {
    tk::ignoreErrors([this] { File1->setPath(Dir1->path()); });
    File1->setPattern(kMusicPattern);
    const int files = File1->listCount();
    if (files == 0) {
        tk::Runtime& rt = tk::Runtime::current();
        rt.messageBox().show(kNoMusicFiles, tk::kMsgOkOnly, rt.appTitle());
        return;
    }
    const std::string folder = File1->path();
    for (int index = 0; index < files; ++index) {
        File1->setListIndex(index);
        queueFile(folder, File1->list(index));
    }
    tk::ignoreErrors([this] { Dir1->refresh(); });
    File1->refresh();
}
