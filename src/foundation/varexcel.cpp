#include "foundation/varexcel.h"

TVarexcel varexcel;

void ResetVarexcel()
{
    varexcel.ExcelApp.reset();
}
