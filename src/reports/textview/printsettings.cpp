#include "reports/textview/printsettings.h"

TPrintSettings printsettings;

void ResetPrintSettings()
{
    printsettings = TPrintSettings{};
}
