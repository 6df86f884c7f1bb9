// One frame of the scene and the release of everything, in the order the framework
// promises: the subsystems' own steps and releases, called by the composition root.
#include "app/ov_application.h"

#include "core/ov_loop.h"

namespace OvCore
{

namespace
{

void UpdatePass(OV_APPLICATION& app)
{
    if (app.updateHook)
        app.updateHook();
    app.PollEndpoints();
    app.UpdateActors();
    app.UpdateEmitters();
}

void DrawSequence(OV_APPLICATION& app)
{
    if (app.beforeDrawHook)
        app.beforeDrawHook();
    app.DrawEmitters(nullptr, true);
    app.DrawActors([&app](OV_ACTOR& actor, bool behind) { app.DrawEmitters(&actor, behind); });
    app.DrawSoftBodies();
    app.DrawEmitters(nullptr, false);
    if (app.afterDrawHook)
        app.afterDrawHook();
}

// Once into every active view, or once as it is when there are no views. A hook or an
// actor may remove views meanwhile: the pinned registry keeps them until the pass is over.
void DrawPass(OV_APPLICATION& app)
{
    if (app.views.IsEmpty())
    {
        DrawSequence(app);
        return;
    }
    OV_REGISTRY<OV_VIEW>::Pin pin(app.views);
    for (auto view : app.views)
    {
        if (!view->active)
            continue;
        app.currentView = view;
        view->Begin();
        DrawSequence(app);
        OV_VIEW::End();
    }
    app.currentView = OV_ENTRY<OV_VIEW>();
}

// The emitters of an actor about to be destroyed at the end of the frame go on alone.
void ForgetOwnersOfQueuedActors(OV_APPLICATION& app)
{
    for (OV_ACTOR* queued : app.removalQueue)
        for (auto entry : app.actors)
            if (entry->get() == queued)
                app.ForgetEmitterOwner(queued);
}

} // namespace

void OV_APPLICATION::SceneStep()
{
    const OV_LOOP& loop = Loop();
    if (loop.updateTick)
    {
        UpdatePass(*this);
        LayoutGui();
    }
    ProcessGuiInput();
    if (loop.renderTick)
    {
        DrawPass(*this);
        DrawGui();
    }
    ForgetOwnersOfQueuedActors(*this);
    EndFrame(loop.delta);
}

void OV_APPLICATION::ReleaseAll()
{
    ReleaseSound();
    ReleaseSprites();
    ForgetEmitterOwners();
    ReleaseActors();
    ReleaseFonts();
    ReleaseGui();
    ReleaseViews();
    ReleaseEmitters();
    ReleaseShaders();
    ReleaseCanvases();
    ReleaseTechniques();
    ReleaseTimers();
    ReleaseEndpoints();
    ReleaseSoftBodies();
}

} // namespace OvCore
