#pragma once

// What the tests of the small dialogs share: a form shown and active (focus
// changes reach the controls only in the active window), the deferred modal
// results run, and message boxes answered without a window.

#include "platform/ui/DialogService.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

inline void ShowActive(QWidget& form)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Runs the queued calls: a modal result set in a handler closes its form
// here, after the handler.
inline void RunQueuedCalls() { QCoreApplication::processEvents(); }

// Answers every message box with OK and counts them.
class TCountingDialogs : public TDialogService {
public:
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        ++messages;
        last_text = text;
        return QMessageBox::Ok;
    }
    int messages = 0;
    QString last_text;
};

// Installs a counting service for the life of the object.
class TScopedCountingDialogs {
public:
    TScopedCountingDialogs()
    {
        auto service = std::make_unique<TCountingDialogs>();
        dialogs_ = service.get();
        previous_ = SetDialogService(std::move(service));
    }
    ~TScopedCountingDialogs() { SetDialogService(std::move(previous_)); }
    TCountingDialogs& operator*() const { return *dialogs_; }
    TCountingDialogs* operator->() const { return dialogs_; }

private:
    TCountingDialogs* dialogs_ = nullptr;
    std::unique_ptr<TDialogService> previous_;
};
