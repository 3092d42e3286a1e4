#include "instance.h"

#include <span>

int main(int argc, char** argv) {
    return standin::runStandIn(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
}
