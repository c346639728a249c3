#include "app/exitflow.h"

#include "referral/frmNagScreen2.h"

void ShowExitPromotion()
{
    LoadedWindows::get<frmNagScreen2>().show();
}
