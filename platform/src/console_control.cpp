// SetConsoleCtrlHandler on POSIX signals: SIGINT and SIGTERM are noted by an
// async-signal-safe handler and served on the main thread by PeekMessageA, so a program can
// end through its own shut-down path. Each disposition resets after its first signal: a
// second Ctrl+C ends a program that does not respond.
#include "platform/src/internal.h"

#include <algorithm>
#include <csignal>
#include <vector>

namespace OvPlatform
{
namespace
{

volatile std::sig_atomic_t pendingSignal = 0;

std::vector<PHANDLER_ROUTINE>& Handlers()
{
    static std::vector<PHANDLER_ROUTINE> handlers;
    return handlers;
}

void NoteSignal(int signal)
{
    pendingSignal = signal;
}

void Catch(int signal, bool on)
{
    struct sigaction action = {};
    action.sa_handler = on ? NoteSignal : SIG_DFL;
    action.sa_flags = on ? SA_RESETHAND : 0;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

void CatchSignals(bool on)
{
    Catch(SIGINT, on);
    Catch(SIGTERM, on);
}

} // namespace

void ServeConsoleControl()
{
    const int signal = pendingSignal;
    if (signal == 0)
        return;
    pendingSignal = 0;
    const DWORD event = signal == SIGINT ? CTRL_C_EVENT : CTRL_CLOSE_EVENT;
    const std::vector<PHANDLER_ROUTINE> handlers = Handlers(); // a handler may remove itself
    for (auto handler = handlers.rbegin(); handler != handlers.rend(); ++handler)
        if ((*handler)(event))
        {
            Catch(signal, !Handlers().empty()); // armed again for the next request
            return;
        }
    raise(signal); // nobody took it: the default course, as without handlers
}

} // namespace OvPlatform

extern "C" BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add)
{
    using namespace OvPlatform;
    if (!handler)
        return FALSE; // a null routine (ignore Ctrl+C) is not offered
    std::vector<PHANDLER_ROUTINE>& handlers = Handlers();
    if (add)
        handlers.push_back(handler);
    else
    {
        const auto found = std::find(handlers.rbegin(), handlers.rend(), handler);
        if (found == handlers.rend())
            return FALSE;
        handlers.erase(std::next(found).base());
    }
    CatchSignals(!handlers.empty());
    return TRUE;
}
