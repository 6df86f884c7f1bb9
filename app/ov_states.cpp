// The state machine of OV_APPLICATION: states run one after another in registration order;
// a state leaves through its frame loop's running flag, and a pending change picks the next.
#include "app/ov_application.h"

#include "core/ov_loop.h"

namespace OvCore
{

bool OV_APPLICATION::RunStates()
{
    if (states.IsEmpty())
        return false;
    OV_LOOP& loop = Loop();
    while (current)
    {
        // The running state may remove its own entry, or every state: the pin keeps the
        // nodes until the follower is chosen, and a removed state is followed by the next
        // one that is left.
        OV_REGISTRY<OV_STATE>::Pin pin(states);
        if (const OV_STATE_ROUTINE callback = current->callback)
            callback();
        // Whatever stopped the state's loop has been served. A state that asked for a change
        // before its loop started leaves the flag false (its loop returned at once); the
        // next state must still get a running loop.
        loop.running = true;
        if (advance || !current)
            current = current.Next();
        if (jumped)
        {
            jumped = false;
            advance = true;
        }
    }
    return true;
}

bool OV_APPLICATION::SelectState(const char* name, int32_t /*index*/)
{
    return SelectState(states.FindName(name));
}

bool OV_APPLICATION::SelectState(OV_STATE_ENTRY state)
{
    OV_LOOP& loop = Loop();
    // A cleared flag means a change is already pending (or the loop is ending): the first
    // request wins.
    if (!state || !loop.running)
        return false;
    advance = false;
    jumped = true;
    current = state;
    loop.running = false;
    return true;
}

bool OV_APPLICATION::NextState()
{
    return SelectState(current.Next());
}

bool OV_APPLICATION::PreviousState()
{
    return SelectState(current.Previous());
}

void OV_APPLICATION::Quit()
{
    Loop().running = false;
    current = OV_STATE_ENTRY();
}

uint32_t OV_APPLICATION::CountStates(const char* name) const
{
    return states.Count(name);
}

} // namespace OvCore
