#pragma once
// Restores every unit of the drawings library to its start-up state: the
// title block's clock, the hooks through which the stage views, the
// animations and the per-wheel views reach the layers above, and the labels
// of the specific sliding diagram.

void ResetDrawingsState();
