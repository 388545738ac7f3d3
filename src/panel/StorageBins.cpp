// The storage-bin menus: Save To Bin and Restore From Bin, one item per bin.
#include "MainForm.h"

void TMainForm::UpdateStorageBins() {
    State.BinsCreated = true;
}
