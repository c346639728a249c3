#include "app/exitflow.h"

#include "referral/frmNagScreen2.h"

void ShowExitPromotion(ExitKeyboard keyboard)
{
    LoadedWindows::load<frmNagScreen2>().showOnTop(keyboard == ExitKeyboard::Take);
}
