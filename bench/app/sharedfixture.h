#pragma once

#include <functional>
#include <memory>
#include <vector>

// Fixtures built on first use and shared by the benchmarks of one run. Their windows and timers need
// the application object, so main() lets them all go (releaseSharedFixtures) while it still exists: a
// fixture left to the end of the program would be torn down after it.
namespace benchfixture {

inline std::vector<std::function<void()>>& releasers() {
    static std::vector<std::function<void()>> all;
    return all;
}

template <class Fixture> Fixture& shared() {
    static std::unique_ptr<Fixture> fixture;
    if (!fixture) {
        fixture = std::make_unique<Fixture>();
        releasers().push_back([] { fixture.reset(); });
    }
    return *fixture;
}

// Newest first: each fixture's runtime hands "current" back to the one made before it.
inline void releaseSharedFixtures() {
    auto& all = releasers();
    while (!all.empty()) {
        all.back()();
        all.pop_back();
    }
}

} // namespace benchfixture
