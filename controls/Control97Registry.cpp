#include "controls/Control97Registry.h"

#include <QMetaObject>
#include <QWidget>

#include <map>
#include <string>

namespace {

// Class name -> number of living objects; only classes with objects are
// present. Widgets live on the GUI thread only, so no lock.
std::map<std::string, int>& LivingCounts()
{
    static std::map<std::string, int> counts;
    return counts;
}

} // namespace

void RegisterControl97(const char* class_name)
{
    ++LivingCounts()[class_name];
}

void UnregisterControl97(const char* class_name)
{
    auto& counts = LivingCounts();
    const auto found = counts.find(class_name);
    if (found == counts.end())
        return;
    if (--found->second <= 0)
        counts.erase(found);
}

bool IsControl97Class(const char* class_name)
{
    return LivingCounts().count(class_name) != 0;
}

bool IsControl97(const QWidget* widget)
{
    if (widget == nullptr)
        return false;
    for (const QMetaObject* meta = widget->metaObject(); meta != nullptr; meta = meta->superClass()) {
        if (IsControl97Class(meta->className()))
            return true;
    }
    return false;
}
