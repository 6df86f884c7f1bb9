// A library with thread-local data that test_leak_check loads at run time, so that the C
// library allocates its TLS block on the heap the first time a thread reaches it (dynamic
// TLS), as it does for libLLVM when Mesa's llvmpipe loads it.
#include <stdlib.h>

// The module's only thread-local object: the TLS block begins where it lies.
static __thread struct
{
    void* held;
    char room[64];
} block;

// A new heap block of `bytes`, held only from this thread's TLS; returns where the thread's
// TLS block of this module begins.
void* OvTestHoldInTls(size_t bytes)
{
    block.held = malloc(bytes);
    return &block;
}
