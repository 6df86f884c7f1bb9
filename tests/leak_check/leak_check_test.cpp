// The leak check the test programs run under: it finds a block our code lost, and it reads
// what libraries loaded at run time keep in their dynamic TLS (heap blocks the C library hands
// out, as for libLLVM loaded by Mesa) even when such a block begins 16 bytes past a page
// boundary. There, with the runtime's default of tracking those blocks itself, the scan read
// a bogus range and crashed ("Tracer caught signal 11"); tests/CMakeLists.txt turns that off.
#include <gtest/gtest.h>

#include "support/temp_home.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OV_TEST_LEAK_CHECK 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define OV_TEST_LEAK_CHECK 1
#endif

#ifdef OV_TEST_LEAK_CHECK

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <dlfcn.h>
#include <sanitizer/lsan_interface.h>

namespace
{

constexpr size_t kTlsBlockBytes = 72; // the module's TLS block: a pointer and 64 bytes
constexpr uintptr_t kPage = 4096;

enum Outcome
{
    kAsDescribed = 0,
    kCheckDied = 1, // the sanitizer's exit code: the check itself failed
    kNoModule = 2,
    kNotSteered = 3,
    kFalseLeak = 4,
    kLossMissed = 5,
};

// Takes blocks of the TLS block's size until the next one the allocator hands out begins
// 16 bytes past a page boundary (blocks of one size lie at a fixed stride); `taken` keeps
// them reachable.
bool SteerNextBlockToPageStart(std::vector<void*>& taken)
{
    taken.reserve(100000);
    taken.push_back(std::malloc(kTlsBlockBytes));
    while (taken.size() < taken.capacity())
    {
        taken.push_back(std::malloc(kTlsBlockBytes));
        const uintptr_t last = uintptr_t(taken.back());
        if ((2 * last - uintptr_t(taken[taken.size() - 2])) % kPage == 16)
            return true;
    }
    return false;
}

void* volatile lastBlock = nullptr;

// Out of line, so that no live register or frame still holds the block once it returns.
__attribute__((noinline)) void LoseABlock()
{
    lastBlock = std::malloc(24);
    lastBlock = nullptr;
}

Outcome CheckWithTlsBlockAtPageStart()
{
    void* module = dlopen(OV_DYNAMIC_TLS_MODULE, RTLD_NOW);
    auto* hold =
        module ? reinterpret_cast<void* (*)(size_t)>(dlsym(module, "OvTestHoldInTls")) : nullptr;
    if (!hold)
        return kNoModule;
    std::vector<void*> taken;
    if (!SteerNextBlockToPageStart(taken) || uintptr_t(hold(100)) % kPage != 16)
        return kNotSteered;
    if (__lsan_do_recoverable_leak_check() != 0)
        return kFalseLeak;
    LoseABlock();
    return __lsan_do_recoverable_leak_check() == 1 ? kAsDescribed : kLossMissed;
}

// What went wrong, for the test's message.
const char* Meaning(int outcome)
{
    switch (outcome)
    {
    case kCheckDied:
        return "the leak check failed: does the test run with the environment "
               "tests/CMakeLists.txt gives (ctest)?";
    case kNoModule:
        return "the module with thread-local data did not load";
    case kNotSteered:
        return "the TLS block did not begin 16 bytes past a page";
    case kFalseLeak:
        return "a block held from dynamic TLS was reported lost";
    case kLossMissed:
        return "a lost block was not reported: leak checking is off or a suppression "
               "covers the test program";
    default:
        return "the child ended otherwise";
    }
}

} // namespace

TEST(LeakCheck, FindsALostBlockAndReadsDynamicTlsBeginningAtAPage)
{
    const int outcome = OvTest::RunInChild([] { return int(CheckWithTlsBlockAtPageStart()); });
    EXPECT_EQ(int(kAsDescribed), outcome) << Meaning(outcome);
}

#else

TEST(LeakCheck, FindsALostBlockAndReadsDynamicTlsBeginningAtAPage)
{
    GTEST_SKIP() << "leak checking is part of the sanitizer build (-DOV_SANITIZE=ON)";
}

#endif
