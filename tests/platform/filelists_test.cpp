#include "errorcheck.h"
#include "gui.h"
#include "platform/errors.h"
#include "platform/filelists.h"
#include "testruntime.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDrag>
#include <QListView>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// A music folder: Music/ with two albums, loose songs of several kinds and a hidden file and folder.
struct MusicTree {
    fixtures::TempFolder temp;
    std::string music = (temp.path() / "Music").string();
    MusicTree() {
        for (const char* f :
             {"Music/b song.mp3", "Music/A Song.MP3", "Music/c.mp2", "Music/notes.txt", "Music/.hidden.mp3",
              "Music/Track01.cda", "Music/zed.Mp3", "Music/albums/placeholder.txt", "Music/Zulu Album/01.mp3",
              "Music/.cache/x.mp3"}) {
            writeFile(temp.path(), f, "x");
        }
        fs::create_directories(temp.path() / "Music" / "abba");
    }
};

// A window over the music tree in which boxes are placed, for driving them with the mouse.
struct BoxWindow {
    TestRuntime rt;
    MusicTree t;
    QWidget window;
    BoxWindow() { window.resize(600, 400); }
    template <class Box> Box* place(const char* name) {
        auto* box = new Box(&window, name);
        box->move(150, 150, 6000, 4500);
        box->setPath(t.music);
        return box;
    }
};

} // namespace

TEST(FilePattern, MatchesAnyPatternOfTheListIgnoringLetterCase) {
    EXPECT_TRUE(tk::matchesPattern("Song.MP3", "*.mp3;*.mp2"));
    EXPECT_TRUE(tk::matchesPattern("song.mp2", "*.mp3; *.mp2"));
    EXPECT_FALSE(tk::matchesPattern("song.mp3x", "*.mp3;*.mp2"));
    EXPECT_FALSE(tk::matchesPattern("mp3", "*.mp3"));
    EXPECT_TRUE(tk::matchesPattern("a.b.mp3", "*.mp3"));
    EXPECT_TRUE(tk::matchesPattern("README", "*.*"));
    EXPECT_TRUE(tk::matchesPattern("anything", ""));
    EXPECT_TRUE(tk::matchesPattern("Track01.cda", "Track??.cda"));
    EXPECT_TRUE(tk::matchesPattern("é.mp3", "?.mp3")); // one character, however many bytes
    EXPECT_FALSE(tk::matchesPattern("ab.mp3", "?.mp3"));
    EXPECT_TRUE(tk::matchesPattern("x-live-y.mid", "*live*.mid"));
}

TEST(DriveRoots, OfferTheRootTheHomeFolderAndMountedMedia) {
    const std::string table = "proc /proc proc rw 0 0\n"
                              "/dev/sda1 / ext4 rw 0 0\n"
                              "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
                              "/dev/sdc1 /mnt/data ext4 rw 0 0\n"
                              "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                              "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
                              "broken\n";
    EXPECT_EQ(tk::driveRoots("/home/ann", table),
              (Names{"/", "/home/ann", "/media/ann/USB STICK", "/media/cdrom", "/mnt/data"}));
    EXPECT_EQ(tk::driveRoots("/", ""), (Names{"/"}));
}

TEST(DriveListBox, PicksTheRootThatHoldsAPathAndTellsTheChange) {
    TestRuntime rt;
    MusicTree t;
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("HOME", t.temp.path().c_str(), 1);
    QWidget host;
    tk::DriveListBox drive(&host, "Drive1");
    int changes = 0;
    drive.change.connect([&] { ++changes; });
    drive.setDrive("/");
    const int afterRoot = changes;
    drive.setDrive(t.music + "/abba");
    EXPECT_EQ(drive.drive(), t.temp.path().string());
    EXPECT_EQ(changes, afterRoot + 1);
    drive.setDrive(t.music); // the same root again
    EXPECT_EQ(changes, afterRoot + 1);
    drive.setListIndex(0);
    EXPECT_EQ(drive.drive(), "/");
    EXPECT_EQ(runtimeErrorNumber([&] { drive.setDrive("c:"); }), tk::err::kDeviceUnavailable);
    EXPECT_EQ(drive.drive(), "/");
    drive.setBackColor(tk::kSysWindow);
    EXPECT_EQ(drive.backColor(), tk::kSysWindow);
    setenv("HOME", savedHome.c_str(), 1);
}

TEST(DirListBox, ShowsTheOpenFolderWithItsAncestorsAndSubfoldersAndRefusesAMissingOne) {
    TestRuntime rt;
    MusicTree t;
    QWidget host;
    tk::DirListBox dir(&host, "Dir1");
    QAbstractItemModelTester tester(&dir.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    Names changes;
    dir.change.connect([&] { changes.push_back(dir.path()); });
    dir.setPath(t.music + "/"); // a final separator is dropped
    EXPECT_EQ(dir.path(), t.music);
    EXPECT_EQ(changes, (Names{t.music}));
    EXPECT_EQ(dir.listCount(), 3);
    EXPECT_EQ(dir.list(0), t.music + "/abba");
    EXPECT_EQ(dir.list(2), t.music + "/Zulu Album");
    EXPECT_EQ(dir.list(-1), t.music);
    EXPECT_EQ(dir.list(-2), t.temp.path().string());
    EXPECT_EQ(dir.list(3), "");
    EXPECT_EQ(dir.listIndex(), -1); // the open folder is the chosen entry
    dir.setPath(t.music);           // the same folder: no change
    EXPECT_EQ(changes.size(), 1u);
    dir.setPath(t.music + "/Zulu Album/..");
    EXPECT_EQ(changes.size(), 1u);

    // A missing folder is refused, an unreadable one shows empty.
    EXPECT_EQ(runtimeErrorNumber([&] { dir.setPath(t.music + "/nowhere"); }), tk::err::kPathNotFound);
    EXPECT_EQ(runtimeErrorNumber([&] { dir.setPath(t.music + "/notes.txt"); }), tk::err::kPathNotFound);
    EXPECT_EQ(dir.path(), t.music);

    const fs::path locked = t.temp.path() / "locked";
    fs::create_directories(locked / "inside");
    fs::permissions(locked, fs::perms::none);
    dir.setPath(locked.string());
    EXPECT_EQ(dir.path(), locked.string());
    if (geteuid() != 0) { // the superuser reads every folder
        EXPECT_EQ(dir.listCount(), 0);
    }
    fs::permissions(locked, fs::perms::owner_all);
}

TEST(DirListBox, ADoubleClickOrEnterOpensAFolder) {
    BoxWindow w;
    const MusicTree& t = w.t;
    auto* dir = w.place<tk::DirListBox>("Dir1");
    Names changes;
    dir->change.connect([&] { changes.push_back(dir->path()); });
    int dblClicks = 0;
    dir->dblClick.connect([&] { ++dblClicks; });
    showAndExpose(&w.window);
    QListView& view = dir->view();
    auto entryPoint = [&](const std::string& path) {
        for (int i = -2; i < dir->listCount(); ++i) {
            if (dir->list(i) == path) {
                dir->setListIndex(i);
                return view.visualRect(view.currentIndex()).center();
            }
        }
        return QPoint();
    };
    doubleClick(view.viewport(), 1, entryPoint(t.music + "/Zulu Album"));
    EXPECT_EQ(dir->path(), t.music + "/Zulu Album");
    EXPECT_EQ(dblClicks, 1);
    EXPECT_EQ(dir->listCount(), 0);
    // Up again through the parent's entry, with the keyboard.
    dir->setListIndex(-2);
    pressKey(dir, Qt::Key_Return, "\r");
    EXPECT_EQ(dir->path(), t.music);
    EXPECT_EQ(changes, (Names{t.music + "/Zulu Album", t.music}));
}

TEST(FileListBox, ListsTheMatchingFilesOfItsFolder) {
    TestRuntime rt;
    MusicTree t;
    QWidget host;
    tk::FileListBox files(&host, "File1");
    QAbstractItemModelTester tester(&files.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    int pathChanges = 0;
    files.pathChange.connect([&] { ++pathChanges; });
    files.setPattern("*.mp3;*.mp2;*.cda;*.mid");
    files.setPath(t.music);
    EXPECT_EQ(pathChanges, 1);
    EXPECT_EQ(files.listCount(), 5);
    EXPECT_EQ(files.list(0), "A Song.MP3");
    EXPECT_EQ(files.fileName(), "");
    files.setListIndex(3);
    EXPECT_EQ(files.fileName(), "Track01.cda");
    // Read again, the chosen file stays chosen where it now stands.
    writeFile(t.temp.path(), "Music/0 first.mp3", "x");
    files.refresh();
    EXPECT_EQ(files.listCount(), 6);
    EXPECT_EQ(files.fileName(), "Track01.cda");
    EXPECT_EQ(files.listIndex(), 4);
    // Without ".mp2" in the pattern the ".mp2" file goes.
    files.setPattern("*.mp3;*.cda;*.mid");
    EXPECT_EQ(files.listCount(), 5);
    EXPECT_EQ(runtimeErrorNumber([&] { files.setPath(t.music + "/missing"); }), tk::err::kPathNotFound);
    EXPECT_EQ(files.path(), t.music);
}

TEST(FileListBox, DraggingTheChosenFileCarriesItAsAFileUrl) {
    BoxWindow w;
    const MusicTree& t = w.t;
    auto* files = w.place<tk::FileListBox>("File1");
    files->setPattern("*.mp3");
    files->setDragSource(true);
    int downs = 0;
    files->mouseDown.connect([&](int, int, float, float) { ++downs; });
    showAndExpose(&w.window);
    QListView& view = files->view();
    startDragging(view.viewport(), view.visualRect(files->model().index(1, 0)).center());
    const QDrag* drag = view.findChild<QDrag*>();
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(downs, 1);
    const QMimeData* data = drag->mimeData();
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls().front().toLocalFile().toStdString(), t.music + "/b song.mp3");
    EXPECT_FALSE(data->hasFormat(tk::kRowsMimeType));

    // Dropped on a control it reads as files, like files from the desktop.
    tk::Control target(&w.window, "Image1", 1);
    target.setDropTarget(true);
    tk::DropData got;
    target.dragDrop.connect([&](const tk::DropData& d) { got = d; });
    drop(&target, *data);
    EXPECT_FALSE(got.fromOwnList());
    EXPECT_EQ(got.files, (Names{t.music + "/b song.mp3"}));
}
