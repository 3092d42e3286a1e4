#pragma once

#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "fakeplayer.h"
#include "player/playerwire.h"
#include "testruntime.h"

#include <memory>

namespace testing_support {

// A started station on the fake player and the generated skin, with `albums` albums of two songs.
struct ReadyStation {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;
    Form1* f = nullptr;

    explicit ReadyStation(int albums = 3) {
        if (albums > 0) {
            writeDatabase(rt.programFolder(), makeDatabase(rt.programFolder() / "Music", albums, 2));
        }
        station = std::make_unique<Station>(rt.runtime());
        if (station->start()) {
            f = &station->form1();
        }
    }
    // The file name of the picture an element shows.
    template <class Element> std::string shows(const Element& e) const { return rt.pictureName(e.picture()); }
    // How many times the player was asked its play state since its log was last cleared.
    int stateRequests() {
        int n = 0;
        for (const auto& m : rt.player().messages()) {
            n += m.message == playerwire::kMsgUser && m.lParam == playerwire::kAskPlayState;
        }
        return n;
    }
};

} // namespace testing_support
