#include "library/genres.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using library::genreName;
using library::genreNumber;

TEST(Genres, HoldsThe149NamesOnceEachFromBluesToRockPop) {
    const auto& names = library::genreNames();
    EXPECT_EQ(names.front(), "Blues");
    EXPECT_EQ(names.back(), "Rock/Pop");
    EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), 149u);
    const auto& lookup = library::genreLookupNames();
    EXPECT_EQ(std::set<std::string_view>(lookup.begin(), lookup.end()).size(), 149u);
    int differences = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        differences += names[i] != lookup[i];
    EXPECT_EQ(differences, 13);
}

TEST(Genres, NamesTheGenreBytes0To148OnlyAndLooksUpTheTableThenTheLookupListThenIgnoringCase) {
    EXPECT_EQ(genreName(17), "Rock");
    EXPECT_EQ(genreName(27), "Trip Hop");
    EXPECT_EQ(genreName(148), "Rock/Pop");
    EXPECT_FALSE(genreName(149));
    EXPECT_FALSE(genreName(255));
    EXPECT_FALSE(genreName(-1));
    EXPECT_EQ(genreNumber("Rock"), 17);
    EXPECT_EQ(genreNumber("Trip Hop"), 27); // the genre box's own item
    EXPECT_EQ(genreNumber("Trip-Hop"), 27); // the lookup list's spelling
    EXPECT_EQ(genreNumber("AlternRock"), 40);
    EXPECT_EQ(genreNumber("power Ballad"), 117);
    EXPECT_EQ(genreNumber("Power Ballad"), 117);
    EXPECT_EQ(genreNumber("rock"), 17);
    EXPECT_EQ(genreNumber("ALT. ROCK"), 40);
    // Nothing matches: no genre.
    EXPECT_EQ(genreNumber(""), 255);
    EXPECT_EQ(genreNumber("Rock "), 255);
    EXPECT_EQ(genreNumber("Schlager"), 255);
}

} // namespace
