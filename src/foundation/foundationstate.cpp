#include "foundation/foundationstate.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/spreadsheethandle.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"

void ResetFoundationState()
{
    ResetVarexcel();
    ResetTelmvar();
    ResetWtelmvar();
    ResetError0();
    ResetTextutil();
    ResetTextfile();
}
