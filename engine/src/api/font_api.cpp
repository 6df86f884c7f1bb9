// Fonts: display lists made from a glyph descriptor or as the built-in grid font, drawn
// through the batch.
#include "api/guard.h"
#include "text/font.h"

using namespace ov;

extern "C"
{

    OV_API uint8_t OvGenerateFont(OvHandle* list, const void* descriptor)
    {
        return guard(uint8_t(0),
                     [&]
                     {
                         if (!list)
                             return uint8_t(0);
                         if (DisplayList* live = displayLists().find(*list))
                         {
                             *live = makeDisplayList(descriptor);
                             return uint8_t(1);
                         }
                         *list = emptyHandle();
                         auto made = std::make_unique<DisplayList>(makeDisplayList(descriptor));
                         *list = displayLists().add(made);
                         return uint8_t(handleIsEmpty(*list) ? 0 : 1);
                     });
    }

    OV_API void OvDrawFont(OvHandle list, const char* text)
    {
        guard(
            [&]
            {
                const DisplayList* found = displayLists().find(list);
                if (found && text)
                    drawText(*found, text);
            });
    }

    OV_API void OvDisplaylistDestroy(OvHandle list)
    {
        guard([&] { displayLists().remove(list); });
    }

} // extern "C"
