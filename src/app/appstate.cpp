#include "app/appstate.h"

#include "app/cadbatch.h"
#include "app/configio.h"
#include "app/mainmenu.h"
#include "app/menuhooks.h"
#include "app/menutexts.h"
#include "app/startup.h"
#include "app/systeminfo.h"
#include "app/windowplacement.h"

void ResetAppState()
{
    ResetMenuTexts();
    ResetMainMenu();
    ResetMenuHooks();
    ResetStartup();
    ResetConfigio();
    ResetWinutil();
    ResetSystemQueries();
    ResetCadExports();
}
