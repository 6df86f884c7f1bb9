// Mentaro: the C interface of the script compiler. Placeholder bodies until the compiler
// lands; every call reports failure.
#include "orvane_core.h"

extern "C"
{

    OV_API uint8_t OvMentaroLinkDefinition(const char*, const char*, uint32_t)
    {
        return 0;
    }
    OV_API void* OvMentaroBuildDefinitionList(void)
    {
        return nullptr;
    }
    OV_API void OvMentaroFreeDefinitionList(void*) {}
    OV_API void OvMentaroUnlinkDefinitions(void) {}
    OV_API void OvMentaroClearDefinitionsProc(void) {}
    OV_API uint8_t OvMentaroAddDefinitionProc(const char*, const char*, OvMentaroProc)
    {
        return 0;
    }
    OV_API uint8_t OvMentaroCompile(OvByteBuffer*, const char*, uint32_t, const void*)
    {
        return 0;
    }
    OV_API uint8_t OvMentaroCompileFile(OvByteBuffer*, const char*, const void*)
    {
        return 0;
    }
    OV_API uint8_t OvMentaroCompileToFile(const char*, uint32_t, const char*, const void*)
    {
        return 0;
    }
    OV_API uint8_t OvMentaroCompileFileToFile(const char*, const char*, const void*)
    {
        return 0;
    }
    OV_API int32_t OvMentaroExecute(const OvByteBuffer*, void* const*, uint32_t, const void*)
    {
        return 0;
    }
    OV_API void OvMentaroFree(OvByteBuffer*) {}
    OV_API const char* OvMentaroLastError(void)
    {
        return "not built yet";
    }
}
