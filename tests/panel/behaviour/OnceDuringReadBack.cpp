#include "OnceDuringReadBack.h"

#include "MainForm.h"

TOnceDuringReadBack::TOnceDuringReadBack(TMainForm &form, std::function<void()> action) {
    FWatch.setInterval(1);
    QObject::connect(&FWatch, &QTimer::timeout, [this, &form, action] {
        if (FDone || form.State.ReadBackActive <= 0)
            return;
        FDone = true;
        FWatch.stop();
        action();
    });
    FWatch.start();
}
