#include "ServiceWindow.h"

#include "CalibrationAdjustments.h"
#include "CalibrationFile.h"
#include "CalibrationReadBack.h"
#include "ServiceAccess.h"
#include "ServiceForm.h"

TServiceWindow::TServiceWindow(QWidget *mainWindow, QAction &serviceMenu,
                               QAction &serviceWindowMenu, const TServiceLinks &links)
    : Form(new TServiceForm(mainWindow)),
      ReadBack(std::make_unique<TCalibrationReadBack>(*Form, links)),
      Adjustments(new TCalibrationAdjustments(*Form, links)),
      File(new TCalibrationFile(*Form, *ReadBack, links)),
      Access(new TServiceAccess(*Form, *ReadBack, serviceMenu, serviceWindowMenu, links)) {}

TServiceWindow::~TServiceWindow() = default;
