// The scene's lists whose elements arrive with their own subsystems: particle emitters,
// soft-body models, the GUI, network connections and loaded sounds. Until a subsystem is in
// place its list is an OV_EMPTY_LIST: it holds nothing, so the scene step has nothing in it
// to serve and ReleaseAll nothing to release.
#pragma once

namespace OvCore
{

struct OV_EMPTY_LIST
{
    static constexpr bool IsEmpty() { return true; }
    static constexpr void Clear() {}
};

} // namespace OvCore
