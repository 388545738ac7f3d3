// Storage menu: "Save Settings To File" and "Restore Settings From File".
#include "MainForm.h"

#include "SettingsFileActions.h"

void TMainForm::SaveToFile1Click() {
    FSettingsFileActions->SaveToFile();
}

void TMainForm::RestoreSettingsFromFile1Click() {
    FSettingsFileActions->RestoreFromFile();
}
