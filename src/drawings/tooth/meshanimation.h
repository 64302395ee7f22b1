#pragma once
// The loaded mesh turning in the graphics window: the tooth contact picture
// drawn frame by frame at rising angles of gear 1, each frame followed by a
// pause and drawn again in the background colour, which takes the frame,
// the data and the circles under the wheels with it: they are drawn again
// after every erasure. Each frame stands within half a pitch of gear 1 of
// the line of centres, where the frame holds the teeth. The whole run is one
// screen drawing, recorded in the display list with its pauses, so the
// window plays it back whenever it repaints.

#include "foundation/types.h"

#include <functional>

// What the settings form gives the animation.
struct TMeshAnimationRequest {
    int Steps = 50;          // frames n (n + 1 are drawn and erased)
    int PauseMs = 50;        // pause after each frame
    Extended StartDeg = 0;   // rotation of gear 1 at the start, degrees
    Extended EndDeg = 0;     // and at the end
    bool SingleStep = false; // the replay stops at every erased frame
};

struct TMeshAnimationServices {
    // The settings form, prefilled from Request (the start and end angle one
    // pitch of gear 1 forwards and back); the settings come back in it.
    // False when the user cancelled. Unset: a message says the form is
    // not available and nothing is animated.
    std::function<bool(TMeshAnimationRequest& Request)> AskSettings;
};

extern TMeshAnimationServices meshanimationservices;

void ResetMeshAnimationServices();

// Steps brought into 2..1000 and a negative pause to 0: the form checks
// nothing.
TMeshAnimationRequest SaneMeshAnimationRequest(TMeshAnimationRequest Request);

// The animation of the loaded, calculated mesh. While it runs the outlines
// are coarse (8 involute points, 16 fillet steps); both settings come back
// on every way out.
void AnimateMeshing();

// The same run on CAD device Device: on the screen (3) with its pauses,
// as a file with every frame drawn and erased in turn.
void AnimateMeshingOn(int Device);
