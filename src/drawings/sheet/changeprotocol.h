#pragma once
// The protocol of changes of a project's drawings: the change commands of
// the Documentation menu, the dialog of one change, the printed "Protocol of
// changes" and the new-project resets of the drawing texts.
//
// The records are the documentation record's (planetary/documentation.h):
// up to 25 changes, entries 1..ChangeCount in use.

#include "foundation/types.h"

// Command: 0 the menu (asks which of the others), 1 new change, 2 modify the
// last change, 3 delete the last change, 4 show the protocol on the screen,
// 5 print it on a chosen device, 6 the drawing information. A new change
// starts empty with today's date; when its dialog is cancelled it is taken
// out again, so the protocol never holds a change the user did not confirm.
void ChangeProtocolCommand(int Command);

// The dialog of change N (1..ChangeCount). Cancel sets Aborted and leaves
// the change as it was.
void EditChangeEntry(int N);

// The report "Protocol of changes": Device 1 the screen, 0 the device the
// user chooses. A cancelled device choice prints nothing.
void PrintChangeProtocol(int Device);

// New project: the three remark lines of the drawing texts become empty.
void ResetRemarkLines();

// New project: the document links stay as they are. The pairs name the
// user's own programs and files, not the project's data, and a new project
// read from the "null" template brings the template's pairs, which clearing
// here would wipe out again.
void ClearDocumentLinks();
