#pragma once
// Restores every program-wide foundation unit to its start-up state, in the
// start-up order: varexcel, telmvar, wtelmvar, error0. Tests call it in SetUp
// so that the order in which they run does not matter.

void ResetFoundationState();
