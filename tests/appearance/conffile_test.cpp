#include "appearance/conffile.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

void save(const fs::path& path) {
    const auto written = conf::replaceFile(path, {1, 2, 3});
    ASSERT_FALSE(written) << *written;
}

void touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

// The settings hold the screen password: a new file is its owner's alone, and a save keeps the
// mode the owner gave the file, also through a symbolic link, which stays a link.
TEST(SettingsFile, ASaveKeepsTheModeOfTheFileItReplacesAndANewFileIsPrivate) {
    fixtures::TempFolder folder;
    const fs::path file = folder / "Conf.mld";
    save(file);
    EXPECT_EQ(modeOf(file), 0600u);
    for (const mode_t mode : {0640u, 0604u, 0400u}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        save(file);
        EXPECT_EQ(modeOf(file), mode);
    }
    EXPECT_EQ(conf::readFile(file, 10).bytes, (std::vector<std::uint8_t>{1, 2, 3}));

    fs::create_directory(folder / "real");
    save(folder / "real" / "Conf.mld");
    ASSERT_EQ(::chmod((folder / "real" / "Conf.mld").c_str(), 0640), 0);
    fs::create_symlink(folder / "real" / "Conf.mld", folder / "linked.mld");
    ASSERT_FALSE(conf::replaceFile(folder / "linked.mld", {9}));
    EXPECT_TRUE(fs::is_symlink(folder / "linked.mld"));
    EXPECT_EQ(conf::readFile(folder / "real" / "Conf.mld", 10).bytes, std::vector<std::uint8_t>{9});
    EXPECT_EQ(modeOf(folder / "real" / "Conf.mld"), 0640u);
}

// A save interrupted by a kill leaves its temporary file; the next save in the folder, or the
// start's sweep, removes it, and leaves those of a writer that still runs.
TEST(SettingsFile, StaleTemporariesGoWithTheNextSaveOrTheSweep) {
    fixtures::TempFolder folder;
    const std::string live = ".tunnora-conf-" + std::to_string(::getpid()) + "-Ab3xYz";
    touch(folder / ".tunnora-conf-2147483646-Ab3xYz");
    touch(folder / live);
    touch(folder / "Data.mld");
    save(folder / "Conf.mld");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"Conf.mld", "Data.mld", live}));

    touch(folder / ".tunnora-conf-2147483646-Cd4wZq");
    touch(folder / ".tunnora-conf-Ef5vXr"); // named without a process id, as earlier saves named them
    fs::last_write_time(folder / ".tunnora-conf-Ef5vXr",
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
    conf::removeStaleTemporaries(folder.path());
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"Conf.mld", "Data.mld", live}));
}

} // namespace
