#include "foundation/foundationstate.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "foundation/spreadsheethandle.h"
#include "foundation/programsettings.h"

void ResetFoundationState()
{
    ResetVarexcel();
    ResetTelmvar();
    ResetWtelmvar();
    ResetError0();
    ResetTextutil();
    ResetTextfile();
}
