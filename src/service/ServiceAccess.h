#pragma once

#include "ServiceLinks.h"

#include <QObject>

class QAction;
class TCalibrationReadBack;
class TServiceForm;

// The way into the service window: Tools "Service" asks for the access code; an accepted
// code opens the window at the next status poll; Tools "Service Window" opens it while
// the instrument is unsecured. A wrong (or cancelled) code locks everything again.
class TServiceAccess : public QObject {
    Q_OBJECT
public:
    TServiceAccess(TServiceForm &form, TCalibrationReadBack &readBack, QAction &serviceMenu,
                   QAction &serviceWindowMenu, const TServiceLinks &links);

    void ServiceMenuClick();
    void ServiceWindowMenuClick();
    // The status poll's part once the code was accepted.
    void OpenServiceWindow();

private:
    void ShowWindow();

    TServiceForm &FForm;
    TCalibrationReadBack &FReadBack;
    QAction &FServiceWindowMenu;
    TServiceLinks FLinks;
};
