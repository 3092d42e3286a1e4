// The child of the stopped-scan test: scans the folder tree given into the song database in the folder
// given, over and over, until it is killed. It writes one line when the first scan begins.
#include "app/form1.h"
#include "app/station.h"
#include "platform/filelists.h"
#include "testruntime.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: scan_until_killed DATABASE-FOLDER SONG-FOLDER\n", stderr);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    testing_support::TestRuntime rt;
    Station station(rt.runtime());
    Form1 f(station);
    const std::filesystem::path database = argv[1];
    f.files.DataPath = (database / "Data.mld").string();
    f.files.AlbumPath = (database / "Album.mld").string();
    f.files.ArtistPath = (database / "Artist.mld").string();
    f.Dir2->setPath(argv[2]);
    std::puts("scanning");
    std::fflush(stdout);
    for (;;) {
        f.RecurseFiles2();
    }
}
