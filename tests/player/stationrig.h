#pragma once

// The whole station on the virtual clock with the fake player: a generated database whose song files
// exist (empty), songs queued through the playlist's own row append, and the virtual time run on.

#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "fakeplayer.h"
#include "testruntime.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace playbacktest {

class StationRig {
public:
    // `albums` albums of `songs` songs; every song plays `songMs` long.
    explicit StationRig(int albums = 1, int songs = 4, int songMs = 3000, tk::Services services = {});
    ~StationRig();

    Form1& f() { return m_station->form1(); }
    Form2& screen() { return m_station->form2(); }
    fakes::FakePlayer& player() { return rt.player(); }

    // The path of record `record` (from 1).
    const std::string& path(int record) const { return db.songs.at(record - 1).fileLocation; }
    const std::string& title(int record) const { return db.songs.at(record - 1).title; }
    // Appends record `record` to the playlist as a hand add does.
    void queue(int record);
    void queue(std::initializer_list<int> records);
    void run(int ms) { rt.advance(ms); }

    // Record `record`'s stored play count, its four bytes as in "Data.mld".
    std::string storedCount(int record) const;
    // The record numbers of the last-songs rows, in order.
    std::vector<int> lastSongs() const;
    // The record numbers the player was handed, in order.
    std::vector<int> handed();

    testing_support::TestRuntime rt;
    testing_support::TestDatabase db;

private:
    std::unique_ptr<Station> m_station;
};

} // namespace playbacktest
