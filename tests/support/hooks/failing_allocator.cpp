// The program's allocator with a trap for the next big allocation (support/failing_allocation.h).
// malloc, calloc and realloc are replaced by functions that check the trap and then call the
// allocator they hide: glibc's own entry points in a plain build, the sanitizer's in an
// AddressSanitizer build (which keeps every block known to it). operator new and new[] go
// through that malloc and operator delete through free, so blocks and their release always
// belong to one allocator. The aligned forms are left as they are: they pair among
// themselves.
#include "support/failing_allocation.h"

#include <cerrno>
#include <cstdlib>
#include <new>

#include <pthread.h>

#if defined(__SANITIZE_ADDRESS__)
#define OV_HOOK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OV_HOOK_UNDER_ASAN 1
#endif
#endif

#ifdef OV_HOOK_UNDER_ASAN
#include <link.h>
#include <sanitizer/lsan_interface.h>
#include <sys/auxv.h>
#endif

extern "C"
{
#ifdef OV_HOOK_UNDER_ASAN
    void* __interceptor_malloc(size_t size);
    void* __interceptor_calloc(size_t count, size_t size);
    void* __interceptor_realloc(void* block, size_t size);
#define OV_HIDDEN_ALLOCATOR(name) __interceptor_##name
#else
    void* __libc_malloc(size_t size);
    void* __libc_calloc(size_t count, size_t size);
    void* __libc_realloc(void* block, size_t size);
#define OV_HIDDEN_ALLOCATOR(name) __libc_##name
#endif
}

// The trap runs inside every allocation, also those the sanitizer's runtime makes while it
// starts, before its shadow memory exists: so its code is not instrumented, and its state is
// plain variables read with the compiler's atomic builtins (no calls into instrumented code).
#define OV_UNINSTRUMENTED __attribute__((no_sanitize("address", "undefined")))

namespace
{

// Armed: the threshold, the big allocations still to let through and the arming thread.
// Zero-initialised, so allocations made before main find them ready.
bool armed = false;
bool failed = false;
size_t armedAbove = 0;
unsigned toPass = 0;
pthread_t armingThread{};

// True for the one allocation the trap takes: the first above the threshold on the arming
// thread once `toPass` are through. It disarms itself.
OV_UNINSTRUMENTED bool TakenByTrap(size_t size)
{
    if (!__atomic_load_n(&armed, __ATOMIC_ACQUIRE) ||
        size <= __atomic_load_n(&armedAbove, __ATOMIC_RELAXED) ||
        !pthread_equal(pthread_self(), __atomic_load_n(&armingThread, __ATOMIC_RELAXED)))
        return false;
    // Only the arming thread comes this far.
    if (toPass > 0)
    {
        --toPass;
        return false;
    }
    bool expected = true;
    if (!__atomic_compare_exchange_n(&armed, &expected, false, false, __ATOMIC_ACQ_REL,
                                     __ATOMIC_ACQUIRE))
        return false;
    __atomic_store_n(&failed, true, __ATOMIC_RELEASE);
    return true;
}

#ifdef OV_HOOK_UNDER_ASAN
// The leak check counts every block the dynamic loader allocates (its records of loaded
// libraries, their thread-local blocks) as in use for the whole run, knowing such a block by
// the caller of malloc: with this malloc between them that caller is here, so every library
// loaded at run time reported its loader's records lost. Those blocks are marked here.
OV_UNINSTRUMENTED bool CalledFromLoader(const void* caller)
{
    static uintptr_t loaderBegin = 0, loaderEnd = 0; // the loader's image in memory
    if (!__atomic_load_n(&loaderEnd, __ATOMIC_ACQUIRE))
    {
        const uintptr_t base = getauxval(AT_BASE);
        if (!base)
            return false;
        const auto* header = reinterpret_cast<const ElfW(Ehdr)*>(base);
        const auto* segments = reinterpret_cast<const ElfW(Phdr)*>(base + header->e_phoff);
        uintptr_t end = base;
        for (unsigned i = 0; i < header->e_phnum; ++i)
            if (segments[i].p_type == PT_LOAD &&
                base + segments[i].p_vaddr + segments[i].p_memsz > end)
                end = base + segments[i].p_vaddr + segments[i].p_memsz;
        __atomic_store_n(&loaderBegin, base, __ATOMIC_RELAXED);
        __atomic_store_n(&loaderEnd, end, __ATOMIC_RELEASE);
    }
    const uintptr_t at = reinterpret_cast<uintptr_t>(caller);
    return at >= __atomic_load_n(&loaderBegin, __ATOMIC_RELAXED) && at < loaderEnd;
}

OV_UNINSTRUMENTED void* MarkedForLoader(void* block, const void* caller)
{
    if (block && CalledFromLoader(caller))
        __lsan_ignore_object(block);
    return block;
}
#else
void* MarkedForLoader(void* block, const void*)
{
    return block;
}
#endif

void* NewOrThrow(size_t size)
{
    for (;;)
    {
        if (void* block = std::malloc(size ? size : 1))
            return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void* NewOrNull(size_t size) noexcept
{
    try
    {
        return NewOrThrow(size);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

} // namespace

extern "C"
{

    OV_UNINSTRUMENTED void* malloc(size_t size) noexcept
    {
        if (TakenByTrap(size))
        {
            errno = ENOMEM;
            return nullptr;
        }
        return MarkedForLoader(OV_HIDDEN_ALLOCATOR(malloc)(size), __builtin_return_address(0));
    }

    OV_UNINSTRUMENTED void* calloc(size_t count, size_t size) noexcept
    {
        size_t total = 0;
        if (!__builtin_mul_overflow(count, size, &total) && TakenByTrap(total))
        {
            errno = ENOMEM;
            return nullptr;
        }
        return MarkedForLoader(OV_HIDDEN_ALLOCATOR(calloc)(count, size),
                               __builtin_return_address(0));
    }

    OV_UNINSTRUMENTED void* realloc(void* block, size_t size) noexcept
    {
        if (TakenByTrap(size))
        {
            errno = ENOMEM;
            return nullptr;
        }
        return MarkedForLoader(OV_HIDDEN_ALLOCATOR(realloc)(block, size),
                               __builtin_return_address(0));
    }

} // extern "C"

void* operator new(size_t size)
{
    return NewOrThrow(size);
}
void* operator new[](size_t size)
{
    return NewOrThrow(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return NewOrNull(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return NewOrNull(size);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, size_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

namespace OvTest
{

FAILING_ALLOCATION::FAILING_ALLOCATION(size_t aboveBytes, unsigned passFirst)
{
    __atomic_store_n(&armed, false, __ATOMIC_RELEASE);
    __atomic_store_n(&failed, false, __ATOMIC_RELAXED);
    __atomic_store_n(&armedAbove, aboveBytes, __ATOMIC_RELAXED);
    __atomic_store_n(&armingThread, pthread_self(), __ATOMIC_RELAXED);
    toPass = passFirst;
    __atomic_store_n(&armed, true, __ATOMIC_RELEASE);
}

FAILING_ALLOCATION::~FAILING_ALLOCATION()
{
    __atomic_store_n(&armed, false, __ATOMIC_RELEASE);
}

bool FAILING_ALLOCATION::Failed() const
{
    return __atomic_load_n(&failed, __ATOMIC_ACQUIRE);
}

} // namespace OvTest
