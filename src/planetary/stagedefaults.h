#pragma once
// File New: the gear-pair defaults, the stage records' defaults, then the
// default stage itself (S 21, Pi 15, Pe 15, H -63, mn 6.5, S in at 100 1/min,
// H out, C fixed, 72 kW), with no planet bearing chosen.
void SetDefaultInput();

// Start-up order of the defaults: material group, stage records, gear pair,
// planet bearings, documentation records.
void InitProgramDefaults();
