#include "EventLoopPoll.h"

#include <QTimer>
#include <memory>

void PollFromEventLoop(std::function<bool()> step, int intervalMs) {
    auto poll = std::make_shared<std::function<void()>>();
    const std::weak_ptr<std::function<void()>> self = poll;
    *poll = [step = std::move(step), self, intervalMs] {
        if (step())
            return;
        if (auto next = self.lock())
            QTimer::singleShot(intervalMs, [next] { (*next)(); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}
