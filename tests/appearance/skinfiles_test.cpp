#include "appearance/skinfiles.h"
#include "skingen.h"
#include "testruntime.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::TestRuntime;

TEST(SkinFiles, TheDefaultSkinHoldsEveryFileTheStationLoads) {
    TestRuntime rt;
    rt.installSkin();
    EXPECT_TRUE(missingSkinFiles(rt.programFolder()).empty());
    // And the generator writes nothing the station never loads.
    const auto station = stationSkinFiles();
    for (const std::string& generated : skin::pictureNames()) {
        const bool used = std::any_of(station.begin(), station.end(), [&](const std::string& s) {
            return QString::fromStdString(s).compare(QString::fromStdString(generated),
                                                     Qt::CaseInsensitive) == 0;
        });
        EXPECT_TRUE(used) << generated;
    }
}

TEST(SkinFiles, MissingFilesAreNamedWhateverTheLetterCaseOfThoseThatArePresent) {
    TestRuntime rt;
    rt.installSkin();
    const auto skinFolder = rt.programFolder() / "Skin";
    std::filesystem::rename(skinFolder / "Exit.jpg", skinFolder / "EXIT.JPG");
    std::filesystem::remove(skinFolder / "Cover.jpg");
    std::filesystem::remove(skinFolder / "Wheel" / "WH.bmp");
    const auto missing = missingSkinFiles(rt.programFolder());
    EXPECT_EQ(missing, (std::vector<std::string>{"Cover.jpg", "Wheel/WH.bmp"}));
}
