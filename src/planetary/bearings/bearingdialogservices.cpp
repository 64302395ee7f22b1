#include "planetary/bearings/bearingdialogservices.h"

TBearingDialogServices bearingdialogservices;

void ResetBearingDialogServices()
{
    bearingdialogservices = TBearingDialogServices{};
}
