#include "tests/support/WidgetShot.h"

#include "tests/support/TempDir.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

bool IsControl(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) != nullptr || qobject_cast<const QLabel*>(widget) != nullptr
        || qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QComboBox*>(widget) != nullptr
        || qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

// The visible controls below the widget, not looking inside a control.
void CollectControls(const QWidget* parent, std::vector<const QWidget*>& controls)
{
    for (const QObject* child : parent->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget == nullptr || !widget->isVisible() || widget->isWindow())
            continue;
        if (IsControl(widget))
            controls.push_back(widget);
        else
            CollectControls(widget, controls);
    }
}

QString CaptionOf(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return {};
}

} // namespace

void CheckScreenshot(QWidget& widget, const std::string& name, const QStringList& captions)
{
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const QPixmap shot = widget.grab();
    EXPECT_EQ(shot.size(), widget.size());
    EXPECT_TRUE(shot.save(QString::fromStdString(TestArtefactPath(name + ".png").string()))) << name;

    std::vector<const QWidget*> controls;
    CollectControls(&widget, controls);
    const QRect client = widget.rect();
    for (const QWidget* control : controls) {
        const QRect area(control->mapTo(&widget, QPoint(0, 0)), control->size());
        EXPECT_TRUE(client.contains(area)) << name << ": " << control->objectName().toStdString() << " lies outside";
        for (const QWidget* other : controls) {
            if (other <= control)
                continue;
            const QRect other_area(other->mapTo(&widget, QPoint(0, 0)), other->size());
            EXPECT_FALSE(area.intersects(other_area))
                << name << ": " << control->objectName().toStdString() << " overlaps "
                << other->objectName().toStdString();
        }
    }

    QStringList texts { widget.windowTitle() };
    for (const QWidget* child : widget.findChildren<QWidget*>())
        texts << CaptionOf(child);
    for (const QString& caption : captions)
        EXPECT_TRUE(texts.contains(caption)) << name << ": no caption " << caption.toStdString();
}
