// The endpoints' per-frame service and release.
#include "net/ov_net_part.h"

namespace OvCore
{

void OV_NET_PART::PollEndpoints()
{
    OV_REGISTRY<NetEndpoint>::Pin pin(endpoints);
    for (auto endpoint : endpoints)
        endpoint->Poll();
}

void OV_NET_PART::ReleaseEndpoints()
{
    for (auto endpoint : endpoints)
        endpoint->Close();
    endpoints.Clear();
}

} // namespace OvCore
