#include "drawings/drawingsstate.h"

#include "drawings/diagrams/specificslidingdiagram.h"
#include "drawings/sheet/drawingsheet.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/planetanimation.h"
#include "drawings/stage/wheelviews.h"
#include "drawings/tooth/meshanimation.h"

void ResetDrawingsState()
{
    ResetSheetClock();
    ResetStageComposerHooks();
    ResetStageAnimationHooks();
    ResetWheelViewComposers();
    ResetMeshAnimationServices();
    ResetSlidingLabels();
}
