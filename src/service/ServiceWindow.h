#pragma once

#include "ServiceLinks.h"

#include <memory>

class QAction;
class TCalibrationAdjustments;
class TCalibrationFile;
class TCalibrationReadBack;
class TServiceAccess;
class TServiceForm;
class QWidget;

// The service window and the behaviour around it, created once with the main window.
class TServiceWindow {
public:
    TServiceWindow(QWidget *mainWindow, QAction &serviceMenu, QAction &serviceWindowMenu,
                   const TServiceLinks &links);
    ~TServiceWindow();

    TServiceForm *Form; // owned by the main window (a child window)
    std::unique_ptr<TCalibrationReadBack> ReadBack;
    TCalibrationAdjustments *Adjustments; // owned by Form
    TCalibrationFile *File;               // owned by Form
    TServiceAccess *Access;               // owned by Form
};
