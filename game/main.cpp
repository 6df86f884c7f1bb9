// Tarnvale's entry point. The game is not playable yet: this placeholder says so.
#include <cstdio>

int main()
{
    std::puts("Tarnvale is not playable yet: the framework is still being built.");
    return 0;
}
