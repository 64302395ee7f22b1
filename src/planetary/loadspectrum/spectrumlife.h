#pragma once
// Service life under a load spectrum: the working spectrum of the current gear
// pair reduced with the S-N lines of the life material (a row of
// "qyrlife.dbf") to equivalent load cycles, application factors and torques,
// and the pair's limit torques carried to the corners of the S-N lines.

#include "foundation/types.h"

#include <cstdint>

// Reads the life material row LoadSpectrumKind into LifeParams and writes the
// results into the gear pair (Nsum, Neq, LoadSpectrumKA_F/H, TeqF/H, TnF/H,
// T0F/H, T0Feq, TnFeq, T0Heq, TnHeq) and PlanetaryStage.MeanLoadFactor.
// ToothRootLimitTorque and PittingLimitTorque are the pair's torques at which
// the safeties reach their required values.
void CalcLoadSpectrumLife(Extended ToothRootLimitTorque, Extended PittingLimitTorque);

// Its two halves. The first reads the life material and forms what rests on
// the spectrum and the nominal torque alone (Nsum, Neq, the application
// factors, TeqF/H); false when it could not. The second carries the limit
// torques to the corners of the S-N lines and forms the mean load factor.
bool FormLoadSpectrumFactors();
void FormLoadSpectrumLimitTorques(Extended ToothRootLimitTorque, Extended PittingLimitTorque);

// While one lives (a stage calculating its meshes), the mean load factor
// the meshes form is left to the last of them: each mesh's is written over
// by the next one's. Settle forms the one left (the stage reads it after
// its meshes), and so does the end of the object. A mean torque whose power
// reports is formed at once, in its mesh.
class TLastMeshMeanLoad
{
  public:
    TLastMeshMeanLoad();
    ~TLastMeshMeanLoad();
    TLastMeshMeanLoad(const TLastMeshMeanLoad&) = delete;
    TLastMeshMeanLoad& operator=(const TLastMeshMeanLoad&) = delete;

    void Settle();

  private:
    bool previous_;
};

// Mode 1: the user picks the life material in the table browser; it becomes
// LoadSpectrumKind and LifeParams. Mode 0: browse and edit the table only.
void SelectLifeMaterial(uint16_t Mode);

// Reads the row LoadSpectrumKind of "qyrlife.dbf" into LifeParams; false
// when the table is missing, unreadable or empty ("QYRLIFE.DBF not found")
// or the row holds no usable S-N line: a fatal message, FatalCalcError and
// Aborted, and LifeParams as it was. Within one calculation (see
// CalculationUnderWay) a row read without a message is read only once; a
// later calculation takes it again while the table file is unchanged (same
// file, times and bytes), nobody else holds it and the table engine would
// read it the same way.
bool ReadLifeMaterial();
// Forgets the row read last.
void ResetLifeMaterialRead();

// Makes the gear-pair calculation run both halves: the factors before its
// limit torque search, the limit torques after it.
void RegisterLoadSpectrumLife();
