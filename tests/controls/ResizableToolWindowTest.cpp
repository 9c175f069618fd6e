// The tool window with a free client area: it keeps its client size on a
// dock, floating and off both, and makes its row as thick as it is.

#include "controls/Dock97.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "controls/ToolbarPositions.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>

TEST(ResizableToolWindow, KeepsItsClientSizeEverywhere)
{
    QWidget form;
    form.resize(500, 300);
    TDock97 top(dpTop, &form);
    top.resize(500, 0);
    auto* group = new TToolWindow97;
    group->setObjectName("ToolWindowGroup");
    group->SetCaption("グループ");
    group->SetHideWhenInactive(false);
    EXPECT_EQ(QSize(group->ClientAreaWidth(), group->ClientAreaHeight()), QSize(32, 32));
    group->SetClientAreaSize(178, 44);
    group->SetMinClientWidth(15);
    group->SetMinClientHeight(20);

    group->SetDockedTo(&top);
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(group->Client()->size(), QSize(178, 44));
    // A row of 22-pixel toolbars becomes 44 thick for it (48 with frames).
    auto* toolbar = new TToolbar97;
    auto* button = new TToolbarButton97(toolbar->Client());
    button->resize(23, 22);
    toolbar->SetDockPos(300);
    toolbar->SetDockedTo(&top);
    QApplication::processEvents();
    EXPECT_EQ(top.height(), 48);
    EXPECT_EQ(toolbar->height(), 48);

    group->Float();
    QApplication::processEvents();
    EXPECT_EQ(group->Client()->size(), QSize(178, 44));
    EXPECT_EQ(top.height(), 26);

    // Sized floating from its left border far past its minimum: it stops at
    // 15 client pixels.
    const QPoint border(1, group->height() / 2);
    ASSERT_EQ(group->FloatingFrameHit(border), TFrameHit::Left);
    const QPoint pressed = group->mapToGlobal(border);
    QTimer::singleShot(0, [&] {
        const QPoint to = pressed + QPoint(400, 0);
        QMouseEvent move(QEvent::MouseMove, group->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(group, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, group->mapFromGlobal(to), to, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(group, &release);
    });
    QMouseEvent press(QEvent::MouseButtonPress, border, pressed, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(group, &press);
    EXPECT_EQ(group->Client()->size(), QSize(15, 44));
    EXPECT_EQ(group->GetBarSize(dtTopBottom), 44);
    EXPECT_EQ(group->GetBarSize(dtLeftRight), 15);
}

TEST(ResizableToolWindow, SavedClientSizeIsReadBackOnlyWhenResizable)
{
    QWidget form;
    form.resize(500, 300);
    TDock97 top(dpTop, &form);
    top.setObjectName("DockTop");
    top.resize(500, 0);
    auto* window = new TToolWindow97;
    window->setObjectName("ToolWindowLayer");
    window->SetClientAreaSize(179, 44);
    window->SetDockedTo(&top);

    std::map<QString, int> saved;
    CustomSaveToolbarPositions(
        &form, [&](const QString& name, const QString& key, int value) { saved[name + "/" + key] = value; },
        [](const QString&, const QString&, const QString&) {});
    EXPECT_EQ(saved["ToolWindowLayer/ClientWidth"], 179);
    EXPECT_EQ(saved["ToolWindowLayer/ClientHeight"], 44);

    struct Row {
        bool resizable;
        int width, height;
        QSize expected;
    };
    const Row rows[] = {
        { false, 300, 100, QSize(179, 44) }, // not read back
        { true, 300, 100, QSize(300, 100) },
        { true, -5, 2000000000, QSize(32, 100000) }, // kept between the minimum and a sane size
    };
    for (const Row& row : rows) {
        window->SetResizable(row.resizable);
        window->SetClientAreaSize(179, 44);
        saved["ToolWindowLayer/ClientWidth"] = row.width;
        saved["ToolWindowLayer/ClientHeight"] = row.height;
        CustomLoadToolbarPositions(
            &form,
            [&](const QString& name, const QString& key, int fallback) {
                const auto at = saved.find(name + "/" + key);
                return at == saved.end() ? fallback : at->second;
            },
            [&](const QString& name, const QString& key, const QString& fallback) {
                return key == "DockedTo" && name == "ToolWindowLayer" ? QStringLiteral("DockTop") : fallback;
            });
        EXPECT_EQ(QSize(window->ClientAreaWidth(), window->ClientAreaHeight()), row.expected) << row.width;
    }
}
