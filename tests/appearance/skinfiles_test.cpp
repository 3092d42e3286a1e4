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
    EXPECT_TRUE(unusableSkinFiles(rt.programFolder(), rt.runtime().pictures()).empty());
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

TEST(SkinFiles, MissingAndUndecodableFilesAreNamedWhateverTheLetterCaseOfThoseThatArePresent) {
    TestRuntime rt;
    rt.installSkin();
    const auto skinFolder = rt.programFolder() / "Skin";
    std::filesystem::rename(skinFolder / "Exit.jpg", skinFolder / "EXIT.JPG");
    std::filesystem::remove(skinFolder / "Cover.jpg");
    std::filesystem::remove(skinFolder / "Wheel" / "WH.bmp");
    rt.write("Skin/Prev.jpg", "not a picture");
    std::filesystem::remove(skinFolder / "Screen.jpg");
    std::filesystem::create_directory(skinFolder / "screen.JPG"); // a folder named like a skin file
    const auto unusable = unusableSkinFiles(rt.programFolder(), rt.runtime().pictures());
    EXPECT_EQ(unusable,
              (std::vector<UnusableSkinFile>{
                  {"Screen.jpg", false}, {"Prev.jpg", false}, {"Cover.jpg", true}, {"Wheel/WH.bmp", true}}));
    const std::string text = unusableSkinMessage(rt.programFolder(), unusable);
    EXPECT_NE(text.find("Prev.jpg (not a picture)"), std::string::npos) << text;
    EXPECT_NE(text.find("Wheel/WH.bmp (missing)"), std::string::npos) << text;
    EXPECT_NE(text.find((rt.programFolder() / "Skin").string()), std::string::npos) << text;
}
