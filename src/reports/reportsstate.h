#pragma once
// Restores every unit of the report library to its start-up state: the
// services first, so that the engine abandons an unfinished output with the
// headless ones in place, then the engine, the message list and the print
// settings.

void ResetReportsState();
