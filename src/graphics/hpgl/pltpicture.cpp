#include "graphics/hpgl/pltpicture.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"
#include "reports/textview/printsettings.h"

void ShowPltPicture(const std::string& name)
{
    printsettings.GraphContentKind = 1; // auxiliary image
    // Clear before Header: Header records the picture's world window, and a
    // Clear after it would drop that record, so that zoom resets and the
    // printout replayed the picture in the window left by the previous one.
    GraphFacade.Clear();
    GraphFacade.Header(0, 0, 160, 120);
    RunHpglFile(AddTrailingBackslash(telmvar.PltDir) + LowerCaseText(name) + ".plt");
}
