#include "app/appstate.h"

#include "app/cadbatch.h"
#include "app/configio.h"
#include "app/mainmenu.h"
#include "app/menutexts.h"
#include "app/privatetempdir.h"
#include "app/startup.h"
#include "app/systeminfo.h"
#include "app/windowplacement.h"

void ResetAppState()
{
    ResetMenuTexts();
    ResetMainMenu();
    ResetStartup();
    ResetConfigio();
    ResetWinutil();
    ResetSystemQueries();
    ResetCadExports();
    // A run starts without its private temporary directory; the next one
    // asked for is made afresh (a directory a forked batch end removed
    // would otherwise stay named here).
    RemovePrivateTempDir();
}
