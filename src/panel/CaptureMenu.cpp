// Tools menu: "Capture Screen Shot".
#include "MainForm.h"

#include "SettingsFileActions.h"

void TMainForm::CaptureScreenShot1Click() {
    FSettingsFileActions->CaptureScreenShot();
}
