#include "foundation/foundationstate.h"

#include "foundation/error0.h"
#include "foundation/telmvar.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "foundation/varexcel.h"
#include "foundation/wtelmvar.h"

void ResetFoundationState()
{
    ResetVarexcel();
    ResetTelmvar();
    ResetWtelmvar();
    ResetError0();
    ResetTextutil();
    ResetTextfile();
}
