#pragma once

// The "97 controls": flat toolbar controls whose hot frame gives way while
// another 97 control has the focus. A class counts as one while at least one
// of its objects lives: each object registers its class when it is created
// and unregisters it when it goes; the class leaves the registry with its
// last object.

class QWidget;

// One more living object of the class (entered on the first).
void RegisterControl97(const char* class_name);
// One object fewer (the class leaves when none is left). Unknown names are
// ignored.
void UnregisterControl97(const char* class_name);

bool IsControl97Class(const char* class_name);
// Whether the widget's class, or a class it derives from, is registered;
// false for no widget.
bool IsControl97(const QWidget* widget);
