#include "app/exitflow.h"

#include "referral/frmNagScreen2.h"

void ShowExitPromotion()
{
    LoadedWindows::load<frmNagScreen2>().showOnTop();
}
