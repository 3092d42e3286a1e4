#pragma once

#include "appearance/confrecord.h"
#include "library/songrecord.h"
#include "player/playlistsong.h"

#include <array>
#include <cstdint>
#include <string>

// The main window's shared state, grouped by concern. Every handler of the main window reaches the one
// instance of each group through Form1. Fields that the old design kept as loosely typed values are plain
// integers here: a field nobody has assigned is 0, which every comparison treats as "not set".

// The record files and the record number the file routines share.
struct FileState {
    std::string ConfPath;
    std::string DataPath;
    std::string AlbumPath;
    std::string ArtistPath;
    std::int32_t CurRecord = 0;
    std::int32_t DataWriteMode = 0; // 1 while the tag editor rewrites record CurRecord
    std::int32_t FirstRun = 0;      // 1 on a first run, until the settings writer stored the default password
    conf::RecordBytes ConfRec{};    // the settings record as last read or written
    library::SongRecord SongRec;    // the song record the file routines read and write
};

// Layout-edit mode, the screen password and the doors.
struct LayoutState {
    float LayoutEditMode = 0.0f; // exactly 1.0 while the layout-edit mode is on
    std::int32_t IgnoreNextSwitchClick = 0;
    std::string ScreenPassword;
    std::int32_t PassPageState = 0; // 0 closed, 1 open, 2 closing after Cancel
    std::int32_t DoorState = 0;     // 0 closed over the page area, 1 open
    std::int32_t DoorWidth = 0;
    std::int32_t EnterPressed = 0;
};

// Open (1) or closed (0) flags of the pages and of two bar toggles.
struct PageFlags {
    std::int32_t PlayListOpen = 0;
    std::int32_t LastSongsOpen = 0;
    std::int32_t AddSongsOpen = 0;
    std::int32_t AddMoreSongsOpen = 0;
    std::int32_t EditID3v2Open = 0;
    std::int32_t DeleteDataBaseOpen = 0;
    std::int32_t SinglePageOpen = 0;
    std::int32_t AlbumPageOpen = 0;
    std::int32_t DataBasePageOpen = 0;
    std::int32_t TopTenPageOpen = 0;
    std::int32_t SearchPageOpen = 0;
    std::int32_t FullScreenTimeOn = 0;
    std::int32_t BrowseByAlbum = 0;
};

// The current album, the album page's range and the wheel. Rows are 32-bit so a large library works.
struct BrowseState {
    std::int32_t CurrentArtistIndex = 0;
    std::int32_t WheelIndex = 0;
    std::string CurArtist;
    std::string CurAlbum;
    std::string CurAlbumPath;
    std::string FindArtist;
    std::string FindAlbum;
    std::int32_t AlbumPageMode = 0;
    std::int32_t AlbumPageFirst = 0;
    std::int32_t AlbumPageLast = 0;
    std::array<std::int32_t, 9> AlbumCellRow{};
    std::int32_t WheelValue = 0;
    std::int32_t WheelFromCell = 0;
    std::int32_t TopTenFirst = 0;
    std::int32_t TopTenLast = 0;
    std::int32_t DragSource = 0;
    // The last press on an album-page or top-10 cover found its album: only then does the release of
    // the right button queue the album.
    bool CoverPressFound = false;
};

// Playlist positions, play modes and the song being played.
struct PlaybackState {
    std::int32_t CurrentIndex = 0;
    std::int32_t NextIndex = 0;
    std::int32_t StoppedFlag = 0;
    std::int32_t FromLastSongs = 0;
    std::int32_t SkipRecordPlayed = 0;
    std::int32_t LastPlayedIndex = 0;
    std::int32_t ForcePlay = 0;
    std::int32_t StartAtFirst = 0;
    std::int32_t ChosenCount = 0;
    std::int32_t AlbumAddedWhole = 0; // 1: the album of LastAlbumAdded and LastAlbumFolder was queued whole
    std::string LastAlbumAdded;
    // The folder key (library::folderKey) of that album: two albums of one title by different artists
    // are two albums.
    std::string LastAlbumFolder;
    std::string PlayingPath;
    std::int32_t PlayingRecordNo = 0;
    // The song as its row stood when it was started: what the last-songs list shows of it when its
    // record no longer holds it or cannot be read.
    PlaylistSong PlayingSong;
    std::int32_t RandomMode = 0;
    std::int32_t LoopMode = 0;
    std::int32_t PauseState = 0;
    std::int32_t ListOwner = 0;
    std::int32_t RandomPick = 0;
    std::string NextPath;
    // The time display: whole seconds as the player reports them (-1 without a song), and their split.
    std::int32_t SongPosition = 0;
    std::int32_t SongLength = 0;
    std::int16_t PosMinutes = 0;
    std::int16_t PosSeconds = 0;
    std::int16_t LenMinutes = 0;
    std::int16_t LenSeconds = 0;
    // Kept by playback for itself.
    std::int32_t PlayToCount = 0;  // 1 from a play command until the end-of-song timer took that play
    std::int32_t FailedStarts = 0; // starts in a row whose file the player could not be handed
    std::string ShownPlayState;    // the play state whose picture the main bar shows
    std::int32_t PlayerBusy = 0;   // playback procedures running; a timer tick meanwhile is skipped
};

// The current song file and the tag values last read from it.
struct TagState {
    std::string CurrentPath;
    std::string TagTitle;
    std::string TagArtist;
    std::string TagAlbum;
    std::string TagYear;
    std::string TagComment;
    std::string TagTrack;
    std::string TagGenre;
    std::array<std::string, 149> Genres;
    std::int16_t GenreIndex = 0;
    // The song the tag editor has open: Apply writes this file and rewrites this record, whatever
    // other routines do with CurrentPath and CurRecord meanwhile. An empty path: no song is open.
    std::string EditorPath;
    std::int32_t EditorRecord = 0;
};
