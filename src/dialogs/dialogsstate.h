#pragma once
// Restores every unit of the dialogs library to its start-up state: the
// services of the layers above, the message boxes, the hardness values, the
// calculator window and what the basic-rack converter showed in its lines.

void ResetDialogsState();
