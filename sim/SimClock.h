#pragma once

#include <chrono>
#include <cstdint>

// Time source of the instrument's run state; tests inject a manual one.
class TSimClock {
public:
    virtual ~TSimClock() = default;
    virtual int64_t NowNs() const = 0;
};

class TSteadySimClock : public TSimClock {
public:
    int64_t NowNs() const override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};
