#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <optional>
#include <utility>

namespace {

// The primary screen when the program has a windowing system; the common
// desktop size otherwise (tools and tests that draw without one).
TScreenMetrics AskTheWindowingSystem()
{
    TScreenMetrics metrics;
    if (QGuiApplication::instance() == nullptr)
        return metrics;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return metrics;
    const QSize size = screen->size();
    if (size.width() > 0 && size.height() > 0) {
        metrics.width_pixels = size.width();
        metrics.height_pixels = size.height();
    }
    if (screen->logicalDotsPerInchX() > 0)
        metrics.pixels_per_inch = screen->logicalDotsPerInchX();
    return metrics;
}

struct MetricsSource {
    std::function<TScreenMetrics()> provider = AskTheWindowingSystem;
    std::optional<TScreenMetrics> kept;
};

MetricsSource& Source()
{
    static MetricsSource source;
    return source;
}

} // namespace

const TScreenMetrics& ScreenMetrics()
{
    MetricsSource& source = Source();
    if (!source.kept) {
        TScreenMetrics metrics = source.provider();
        // A provider that answers nonsense must not make every drawing divide
        // by zero.
        if (metrics.width_pixels < 1 || metrics.height_pixels < 1)
            metrics = TScreenMetrics();
        source.kept = metrics;
    }
    return *source.kept;
}

void SetScreenMetricsProvider(std::function<TScreenMetrics()> provider)
{
    MetricsSource& source = Source();
    source.provider = provider ? std::move(provider) : AskTheWindowingSystem;
    source.kept.reset();
}
