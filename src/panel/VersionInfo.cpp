#include "VersionInfo.h"

#include "PanelVersion.h"

TVersionInfo::TVersionInfo()
    : FileVersion(PULSEPANEL_FILE_VERSION), CompanyName(PULSEPANEL_COMPANY) {}
