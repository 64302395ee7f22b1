#pragma once
// Start and end of the table library.

// Runs once before any table is opened: empties the hook tables, takes the
// national date settings, selects work area 1, places the two-digit-year
// window 70 years before today and sets the file-open mode.
void InitXbaseLibrary();
// Closes every table and forgets the pending error text.
void DoneXbaseLibrary();
