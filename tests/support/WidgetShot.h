#pragma once

// The screenshot test of a form or control: the widget is shown offscreen,
// grabbed into test-artefacts/<name>.png for people to look at, and checked
// for what does not depend on the fonts of the machine: every control lies
// inside the widget, no two controls overlap, and each caption given is the
// text of one of its labels, buttons, group boxes or its window title.

#include <QStringList>

#include <string>

class QWidget;

void CheckScreenshot(QWidget& widget, const std::string& name, const QStringList& captions = {});
