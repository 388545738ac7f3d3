#include "OnceDuringReadBack.h"

#include "MainForm.h"

TOnceWhen::TOnceWhen(std::function<bool()> when, std::function<void()> action) {
    FWatch.setInterval(1);
    QObject::connect(&FWatch, &QTimer::timeout, [this, when, action] {
        if (FDone || !when())
            return;
        FDone = true;
        FWatch.stop();
        action();
    });
    FWatch.start();
}

TOnceDuringReadBack::TOnceDuringReadBack(TMainForm &form, std::function<void()> action)
    : TOnceWhen([&form] { return form.Session().State.ReadBackActive > 0; }, std::move(action)) {}
