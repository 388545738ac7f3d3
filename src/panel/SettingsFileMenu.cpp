// Storage menu: "Save Settings To File" and "Restore Settings From File".
#include "MainForm.h"

#include "SettingsFileActions.h"

void TMainForm::SaveToFile1Click() {
    SettingsFileActions->SaveToFile();
}

void TMainForm::RestoreSettingsFromFile1Click() {
    SettingsFileActions->RestoreFromFile();
}
