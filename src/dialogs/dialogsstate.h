#pragma once
// Restores every unit of the dialogs library to its start-up state: the
// services of the layers above, the message boxes, the hardness values and
// the calculator window.

void ResetDialogsState();
