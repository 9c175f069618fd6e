#include "controls/HookSubscription.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

struct Call {
    char who;
    THookProcCode code;
    QWidget* wnd;
    std::int32_t wparam;
    std::int32_t lparam;
    int children; // of wnd at the time of the call
};

std::vector<Call>& Calls()
{
    static std::vector<Call> calls;
    return calls;
}

void Record(char who, THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam)
{
    const int children = wnd == nullptr ? -1 : static_cast<int>(wnd->findChildren<QWidget*>().size());
    Calls().push_back({who, code, wnd, wparam, lparam, children});
}

void ProcA(THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam)
{
    Record('A', code, wnd, wparam, lparam);
}

void ProcB(THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam)
{
    Record('B', code, wnd, wparam, lparam);
}

void Throwing(THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam)
{
    Record('T', code, wnd, wparam, lparam);
    throw std::runtime_error("subscriber failed");
}

void UnsubscribesB(THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam)
{
    Record('U', code, wnd, wparam, lparam);
    UninstallHookProc(ProcB);
}

constexpr THookProcCodes AllCodes = HookProcBit(hpSendActivateApp) | HookProcBit(hpSendWindowPosChanged)
    | HookProcBit(hpPreDestroy) | HookProcBit(hpPostMouseMove);

std::vector<Call> CallsFor(QWidget* wnd)
{
    std::vector<Call> found;
    for (const Call& call : Calls())
        if (call.wnd == wnd)
            found.push_back(call);
    return found;
}

void SendApplicationState(Qt::ApplicationState state)
{
    QApplicationStateChangeEvent event(state);
    QCoreApplication::sendEvent(qApp, &event);
}

void SendMouseMove(QWidget* widget, QPoint position, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

class HookSubscriptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveAllHookSubscriptions();
        Calls().clear();
    }
    void TearDown() override
    {
        RemoveAllHookSubscriptions();
        Calls().clear();
    }

    static void ExpectFamily(HookFamily family, int use_count)
    {
        EXPECT_EQ(HookUseCount(family), use_count);
        EXPECT_EQ(IsHookFilterInstalled(family), use_count > 0);
    }
};

TEST_F(HookSubscriptionTest, TwoSubscriptionsOfOneProcedureShareOneEntryAndCountTheFamiliesTwice)
{
    InstallHookProc(ProcA, HookProcBit(hpSendActivateApp), false);
    InstallHookProc(ProcA, HookProcBit(hpSendActivateApp), false);
    EXPECT_EQ(HookSubscriberCount(), 1u);
    EXPECT_EQ(HookSubscriptionCount(ProcA), 2);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 2);

    UninstallHookProc(ProcA);
    EXPECT_EQ(HookSubscriptionCount(ProcA), 1);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 1);

    UninstallHookProc(ProcA);
    EXPECT_EQ(HookSubscriberCount(), 0u);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 0);
}

TEST_F(HookSubscriptionTest, TheSecondSubscriptionsCodesAreIgnoredButCountTheirFamilies)
{
    InstallHookProc(ProcA, HookProcBit(hpSendActivateApp), false);
    InstallHookProc(ProcA, HookProcBit(hpPostMouseMove), false);
    EXPECT_EQ(HookSubscriptionCodes(ProcA), HookProcBit(hpSendActivateApp));
    ExpectFamily(HookFamily::ActivateAndWindowPos, 1);
    ExpectFamily(HookFamily::MouseMove, 1);

    QWidget widget;
    SendMouseMove(&widget, QPoint(3, 4), Qt::NoButton);
    EXPECT_TRUE(Calls().empty());

    // Unsubscribing goes by the entry's codes: the mouse family keeps the
    // count the second subscription gave it.
    UninstallHookProc(ProcA);
    UninstallHookProc(ProcA);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 0);
    ExpectFamily(HookFamily::MouseMove, 1);
}

TEST_F(HookSubscriptionTest, OnlyIncrementingInstallsNothingButTheUnsubscriptionStillLowersTheCounts)
{
    InstallHookProc(ProcA, AllCodes, true);
    EXPECT_EQ(HookSubscriptionCount(ProcA), 1);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 0);
    ExpectFamily(HookFamily::Destroy, 0);
    ExpectFamily(HookFamily::MouseMove, 0);

    InstallHookProc(ProcB, HookProcBit(hpSendWindowPosChanged) | HookProcBit(hpPostMouseMove), false);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 1);
    ExpectFamily(HookFamily::MouseMove, 1);

    UninstallHookProc(ProcA);
    EXPECT_EQ(HookSubscriptionCount(ProcA), 0);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 0);
    ExpectFamily(HookFamily::Destroy, 0);
    ExpectFamily(HookFamily::MouseMove, 0);

    UninstallHookProc(ProcB);
    EXPECT_EQ(HookSubscriberCount(), 0u);
    ExpectFamily(HookFamily::ActivateAndWindowPos, 0);
    ExpectFamily(HookFamily::MouseMove, 0);
}

TEST_F(HookSubscriptionTest, UnsubscribingAStrangerChangesNothing)
{
    UninstallHookProc(ProcB);
    EXPECT_EQ(HookSubscriberCount(), 0u);

    InstallHookProc(ProcA, HookProcBit(hpPreDestroy), false);
    UninstallHookProc(ProcB);
    EXPECT_EQ(HookSubscriberCount(), 1u);
    EXPECT_EQ(HookSubscriptionCount(ProcA), 1);
    ExpectFamily(HookFamily::Destroy, 1);
}

TEST_F(HookSubscriptionTest, SubscribersRunInTheirOrderAndAThrowingOneDoesNotStopTheOthers)
{
    InstallHookProc(ProcA, HookProcBit(hpPostMouseMove), false);
    InstallHookProc(Throwing, HookProcBit(hpPostMouseMove), false);
    InstallHookProc(ProcB, HookProcBit(hpPostMouseMove), false);
    QWidget widget;
    SendMouseMove(&widget, QPoint(1, 1), Qt::NoButton);
    ASSERT_EQ(Calls().size(), 3u);
    EXPECT_EQ(Calls()[0].who, 'A');
    EXPECT_EQ(Calls()[1].who, 'T');
    EXPECT_EQ(Calls()[2].who, 'B');
}

TEST_F(HookSubscriptionTest, ASubscriberMayUnsubscribeAnotherDuringTheWalk)
{
    InstallHookProc(UnsubscribesB, HookProcBit(hpPostMouseMove), false);
    InstallHookProc(ProcB, HookProcBit(hpPostMouseMove), false);
    InstallHookProc(ProcA, HookProcBit(hpPostMouseMove), false);
    QWidget widget;
    SendMouseMove(&widget, QPoint(1, 1), Qt::NoButton);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].who, 'U');
    EXPECT_EQ(Calls()[1].who, 'A');
    EXPECT_EQ(HookSubscriptionCount(ProcB), 0);
}

TEST_F(HookSubscriptionTest, ActivationChangesAreDeliveredOncePerChange)
{
    InstallHookProc(ProcA, HookProcBit(hpSendActivateApp), false);
    SendApplicationState(Qt::ApplicationInactive);
    Calls().clear();

    struct Step {
        Qt::ApplicationState state;
        int calls;
        std::int32_t wparam;
    };
    const Step steps[] = {
        {Qt::ApplicationActive, 1, 1},   {Qt::ApplicationActive, 0, 0},    {Qt::ApplicationInactive, 1, 0},
        {Qt::ApplicationHidden, 0, 0},   {Qt::ApplicationSuspended, 0, 0}, {Qt::ApplicationActive, 1, 1},
        {Qt::ApplicationHidden, 1, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(static_cast<int>(step.state));
        Calls().clear();
        SendApplicationState(step.state);
        ASSERT_EQ(Calls().size(), static_cast<std::size_t>(step.calls));
        if (step.calls == 1) {
            EXPECT_EQ(Calls()[0].code, hpSendActivateApp);
            EXPECT_EQ(Calls()[0].wparam, step.wparam);
        }
    }
}

TEST_F(HookSubscriptionTest, TopLevelShowHideMoveResizeAndStateChangesAreDelivered)
{
    InstallHookProc(ProcA, HookProcBit(hpSendWindowPosChanged), false);
    QWidget window;
    window.resize(200, 100);
    auto* child = new QWidget(&window);
    child->setGeometry(5, 5, 20, 20);

    const auto last_flags = [&window]() -> std::int32_t {
        const auto calls = CallsFor(&window);
        return calls.empty() ? -1 : calls.back().wparam;
    };

    window.show();
    EXPECT_EQ(last_flags(), SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);

    Calls().clear();
    window.move(window.pos() + QPoint(30, 20));
    EXPECT_EQ(last_flags(), SWP_NOSIZE);

    Calls().clear();
    window.resize(260, 140);
    EXPECT_EQ(last_flags(), SWP_NOMOVE);

    Calls().clear();
    window.setWindowState(Qt::WindowMinimized);
    const auto state_calls = CallsFor(&window);
    ASSERT_FALSE(state_calls.empty());
    EXPECT_EQ(state_calls.front().wparam, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    window.setWindowState(Qt::WindowNoState);

    Calls().clear();
    child->move(8, 8);
    child->resize(30, 30);
    child->hide();
    child->show();
    EXPECT_TRUE(CallsFor(child).empty());

    Calls().clear();
    window.hide();
    EXPECT_EQ(last_flags(), SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    for (const Call& call : Calls())
        EXPECT_EQ(call.code, hpSendWindowPosChanged);
}

TEST_F(HookSubscriptionTest, AMouseMoveIsDeliveredOnceToTheWidgetThatReceivesIt)
{
    InstallHookProc(ProcA, HookProcBit(hpPostMouseMove), false);
    QWidget window;
    window.setMouseTracking(true);
    auto* child = new QWidget(&window);
    child->setGeometry(10, 10, 50, 50);
    // Both track the mouse: the child ignores the move and it goes on to the
    // window as a copy, which is no second move.
    child->setMouseTracking(true);
    window.resize(100, 100);
    window.show();

    SendMouseMove(child, QPoint(7, -3), Qt::LeftButton | Qt::RightButton);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].code, hpPostMouseMove);
    EXPECT_EQ(Calls()[0].wnd, child);
    EXPECT_EQ(Calls()[0].wparam, (Qt::LeftButton | Qt::RightButton).toInt());
    EXPECT_EQ(UnpackHookPoint(Calls()[0].lparam), QPoint(7, -3));

    // Without buttons the test library moves the cursor, and the platform
    // delivers the move: start from a point outside the window, above any
    // window another test left open.
    window.raise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(window.mapToGlobal(QPoint(-40, -40)));
    QCoreApplication::processEvents();
    Calls().clear();
    QTest::mouseMove(child, QPoint(20, 30));
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].wnd, child);
    EXPECT_EQ(UnpackHookPoint(Calls()[0].lparam), QPoint(20, 30));

    Calls().clear();
    SendMouseMove(&window, QPoint(80, 80), Qt::NoButton);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].wnd, &window);
}

TEST_F(HookSubscriptionTest, DeleteLaterAnnouncesTheWidgetWhileItIsStillWhole)
{
    InstallHookProc(ProcA, HookProcBit(hpPreDestroy), false);
    auto* window = new QWidget;
    new QWidget(window);
    new QWidget(window);
    QPointer<QWidget> guard(window);
    window->deleteLater();
    EXPECT_TRUE(Calls().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].code, hpPreDestroy);
    EXPECT_EQ(Calls()[0].wnd, window);
    EXPECT_EQ(Calls()[0].children, 2);
    EXPECT_EQ(Calls()[0].wparam, 0);
    EXPECT_EQ(Calls()[0].lparam, 0);
}

// A widget that others must hear of however it is destroyed.
class AnnouncedWidget : public QWidget {
public:
    AnnouncedWidget() { new QWidget(this); }
    ~AnnouncedWidget() override { NotifyPreDestroy(this); }
    AnnouncedWidget(const AnnouncedWidget&) = delete;
    AnnouncedWidget& operator=(const AnnouncedWidget&) = delete;
};

TEST_F(HookSubscriptionTest, AWidgetThatAnnouncesItselfIsAnnouncedOnceHoweverItIsDestroyed)
{
    // Without a subscription nothing is announced.
    delete new AnnouncedWidget;
    EXPECT_TRUE(Calls().empty());

    InstallHookProc(ProcA, HookProcBit(hpPreDestroy), false);
    auto* deleted = new AnnouncedWidget;
    delete deleted;
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].wnd, deleted);
    EXPECT_EQ(Calls()[0].children, 1);

    Calls().clear();
    auto* later = new AnnouncedWidget;
    later->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].wnd, later);
    EXPECT_EQ(Calls()[0].children, 1);
}

TEST_F(HookSubscriptionTest, NothingIsDeliveredOnceTheLastSubscriptionHasGone)
{
    InstallHookProc(ProcA, AllCodes, false);
    UninstallHookProc(ProcA);
    QWidget window;
    window.show();
    SendMouseMove(&window, QPoint(1, 1), Qt::NoButton);
    SendApplicationState(Qt::ApplicationActive);
    SendApplicationState(Qt::ApplicationInactive);
    auto* later = new QWidget;
    later->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Calls().empty());
}

TEST(HookPointTest, PacksBothCoordinatesAsSigned16BitHalves)
{
    const QPoint points[] = {{0, 0}, {7, -3}, {-1, -1}, {32767, -32768}, {-32768, 32767}, {1234, 567}};
    for (const QPoint& point : points)
        EXPECT_EQ(UnpackHookPoint(PackHookPoint(point)), point) << point.x() << "," << point.y();
    EXPECT_EQ(PackHookPoint(QPoint(1, 2)), 0x00020001);
    EXPECT_EQ(PackHookPoint(QPoint(-1, 0)), 0x0000FFFF);
}

} // namespace
