#pragma once

#include "foundation/messagecollector.h"

#include <memory>
#include <string>
#include <vector>

// The whole stage from its records: kinematics, the three meshes through the
// gear-pair calculation, planet triangle and spacing, clearances, angular
// backlash, planet masses and forces, bearing loads, and the stage checks.
// Afterwards the gear-pair variables hold mesh Pe-H; FatalCalcError tells
// whether the stage could be calculated.
void CalcPlanetaryStage();

struct TStageCalcSnapshot;

// What the stage calculation keeps between its runs.
struct TStageCalcState {
    // Calculations run since the reset.
    long Runs = 0;
    // What the last calculation without a fatal error read and left
    // behind; it counts only while LastKept. A command begun since, a
    // calculation under way and one that ended fatally clear LastKept, and
    // the next calculation copies into the storage kept here: its message
    // texts and lists keep their room instead of being freed and allocated
    // again on every run.
    std::unique_ptr<TStageCalcSnapshot> Last;
    bool LastKept = false;
    // The message list the last calculation ended with, fatal or not, once
    // one has ended (MessagesTaken). The stage's printouts list these: a mesh
    // report or a drawing calculated since leaves its own list behind.
    TError0 Messages;
    bool MessagesTaken = false;
    // Room for the texts of the single meshes that the stage keeps (named
    // after their mesh): only the calculation under way reads them.
    std::vector<std::string> MeshTexts;
};

extern TStageCalcState stagecalc;

void ResetStageCalc();

// True when the stage records, the gear-pair variables, the life material,
// the message list and the settings the calculation reads are as the last
// calculation without a fatal error left them, and no command has begun
// since: calculating again would change nothing.
bool StageUnchangedSinceCalculation();

// Called as a command begins: the tables and settings the calculation reads
// may change from here on, so the next picture calculates again.
void ForgetStageCalculation();

// Refuses drive data the kinematics cannot work with (same input and output
// shaft, stationary ratio 1, input speed 0, no planets): adds the fatal
// message, sets FatalCalcError and returns false.
bool CheckDriveData();
