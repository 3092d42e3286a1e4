#include "appearance/conffile.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

// The settings hold the screen password: a new file is its owner's alone, a save keeps the mode the
// owner gave the file (also through a symbolic link, which stays a link), and the temporary file a
// killed save left goes with the next save, while that of a writer that still runs stays.
TEST(SettingsFile, ASaveKeepsTheFilesModeAndLinkAndRemovesStaleTemporaries) {
    fixtures::TempFolder folder;
    const fs::path file = folder / "real" / "Conf.mld";
    fs::create_directory(folder / "real");
    fs::create_symlink("real/Conf.mld", folder / "Conf.mld");
    const fs::path stale = folder / "real" / ".tunnora-conf-2147483646-Ab3xYz";
    const fs::path live = folder / "real" / (".tunnora-conf-" + std::to_string(::getpid()) + "-Ab3xYz");
    std::ofstream(stale) << "x";
    std::ofstream(live) << "x";
    for (const mode_t mode : {0u, 0640u, 0604u, 0400u}) {
        if (mode != 0) {
            ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        }
        const auto error = conf::replaceFile(folder / "Conf.mld", {1, 2, static_cast<std::uint8_t>(mode)});
        ASSERT_FALSE(error) << *error;
        EXPECT_EQ(modeOf(file), mode == 0 ? 0600u : mode);
        EXPECT_EQ(conf::readFile(file, 10).bytes,
                  (std::vector<std::uint8_t>{1, 2, static_cast<std::uint8_t>(mode)}));
    }
    EXPECT_TRUE(fs::is_symlink(folder / "Conf.mld"));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
}

} // namespace
