// The network's part of OV_APPLICATION: the registry of endpoints that the scene step polls
// once per update pass (after the update hook, before the actors) and ReleaseAll closes.
// Programs reach it as Application().endpoints; the network code reaches it as NetPart().
#pragma once

#include "core/ov_registry.h"
#include "net/net_endpoint.h"

namespace OvCore
{

// The network's share of OV_APPLICATION: the endpoints and their polling.
class OV_NET_PART
{
  public:
    OV_NET_PART() = default;
    OV_NET_PART(const OV_NET_PART&) = delete;
    OV_NET_PART& operator=(const OV_NET_PART&) = delete;

    // The registry owns its endpoints; removing one closes it.
    OV_REGISTRY<NetEndpoint> endpoints;

    // Poll on every endpoint in registry order. A callback may add or remove endpoints: the
    // pinned registry keeps removed ones alive until the walk is over.
    void PollEndpoints();
    // Closes every endpoint and empties the registry.
    void ReleaseEndpoints();
};

// The process's network part: the one inside Application(), bound by the composition root.
OV_NET_PART& NetPart();

} // namespace OvCore
