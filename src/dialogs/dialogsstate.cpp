#include "dialogs/dialogsstate.h"

#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/messageboxes.h"
#include "dialogs/stage/basicrackconverter.h"
#include "dialogs/stage/hardness.h"

void ResetDialogsState()
{
    ResetDialogServices();
    ResetMessageboxes();
    ResetHardnessValues();
    ResetVonline3();
    ResetBasicRackConverter();
}
