#include "gearpair/lifeparams.h"

QYRLIFE_Record LifeParams;

void ResetLifeParams()
{
    LifeParams = QYRLIFE_Record{};
}
