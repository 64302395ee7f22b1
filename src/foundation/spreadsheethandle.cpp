#include "foundation/spreadsheethandle.h"

TVarexcel varexcel;

void ResetVarexcel()
{
    varexcel.ExcelApp.reset();
}
