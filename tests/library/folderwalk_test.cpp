#include "library/folderwalk.h"

#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Writes down every call of the walk, paths relative to the root.
class Recorder final : public library::FolderWalkVisitor {
public:
    explicit Recorder(std::string root)
        : m_root(std::move(root)) {}
    bool enteringFolder() override {
        log.push_back("enter");
        return true;
    }
    bool songFound(std::string_view path) override {
        log.push_back("song " + relative(path));
        return log.size() < stopAfter;
    }
    void folderDone(std::string_view folder) override { log.push_back("done " + relative(folder)); }
    std::vector<std::string> log;
    std::size_t stopAfter = 1000;

private:
    std::string relative(std::string_view path) const { return std::string(path.substr(m_root.size())); }
    std::string m_root;
};

void touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

TEST(FolderWalk, ListsByNameTakesSongsOfAnyCaseAndPassesOverWhatItCannotTake) {
    fixtures::TempFolder folder;
    const fs::path root = folder / "root";
    for (const char* name : {"song.mp3", "Song.MP3", "b.Mp2", "xmp3", "notes.txt", ".hidden.mp3",
                             ".dir/h.mp3", "live.mp3/in.mp3", "long/123456789.mp3"})
        touch(root / name);
    ASSERT_EQ(::mkfifo((root / "fifo.mp3").c_str(), 0644), 0);
    fs::create_directory_symlink(root, root / "loop");
    fs::create_symlink(root / "nowhere.mp3", root / "broken.mp3");
    const bool root_user = ::geteuid() == 0; // the superuser reads every folder
    fs::create_directories(root / "locked");
    fs::permissions(root / "locked", fs::perms::none);

    const std::string rootText = root.string() + "/";
    Recorder recorder(rootText);
    const library::FolderWalkSkips skips =
        library::walkSongFolders(root.string(), rootText.size() + 15, recorder);
    fs::permissions(root / "locked", fs::perms::owner_all);

    // Letter case is ignored first ("b.Mp2" before "broken.mp3"), bytes decide ties ("Song" before
    // "song"); "live.mp3" is a folder and is entered; the loop back to the root is not walked again.
    std::vector<std::string> expected{
        "song b.Mp2", "enter", "song live.mp3/in.mp3", "done live.mp3/", "enter",     "done locked/", "enter",
        "done long/", "enter", "song Song.MP3",        "song song.mp3",  "song xmp3", "done "};
    if (!root_user)
        expected.erase(expected.begin() + 5);
    EXPECT_EQ(recorder.log, expected);
    EXPECT_EQ(skips.unreadableFiles, 1);
    EXPECT_EQ(skips.longPaths, 1);
    EXPECT_EQ(skips.unreadableFolders, root_user ? 0 : 1);

    // A visitor that says stop ends the walk at once.
    Recorder stopping(rootText);
    stopping.stopAfter = 3;
    library::walkSongFolders(root.string() + "/", 200, stopping);
    EXPECT_EQ(stopping.log, (std::vector<std::string>{"song b.Mp2", "enter", "song live.mp3/in.mp3"}));
}

} // namespace
