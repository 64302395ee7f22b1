#include "reports/reportsstate.h"

#include "reports/engine/reportengine.h"
#include "reports/engine/reportservicedefaults.h"
#include "reports/messages/messagelist.h"
#include "reports/textview/printsettings.h"

void ResetReportsState()
{
    ResetReportServices();
    ResetReportEngine();
    ResetUhelperr();
    ResetPrintSettings();
}
