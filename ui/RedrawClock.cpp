#include "ui/RedrawClock.h"

#include "platform/Tick.h"

#include <QTimer>

namespace {

class TSteadyRedrawClock : public TRedrawClock {
public:
    TSteadyRedrawClock()
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            // The call may ask for the next one.
            const std::function<void()> due = std::move(due_);
            due_ = nullptr;
            if (due)
                due();
        });
    }

    std::uint32_t Now() const override { return GetTickCount(); }

    void CallAfter(int milliseconds, std::function<void()> due) override
    {
        due_ = std::move(due);
        timer_.start(milliseconds);
    }

    void Cancel() override
    {
        timer_.stop();
        due_ = nullptr;
    }

private:
    QTimer timer_;
    std::function<void()> due_;
};

} // namespace

std::unique_ptr<TRedrawClock> MakeSteadyRedrawClock()
{
    return std::make_unique<TSteadyRedrawClock>();
}
