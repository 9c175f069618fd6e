#pragma once

// A dialog service for the tests: every message box is answered with OK at
// once and its text kept, in order.

#include "platform/ui/DialogService.h"

#include <QStringList>

#include <memory>

class TRecordingDialogs : public TDialogService {
public:
    explicit TRecordingDialogs(std::shared_ptr<QStringList> messages)
        : messages_(std::move(messages))
    {
    }

    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        messages_->append(text);
        return QMessageBox::Ok;
    }

private:
    std::shared_ptr<QStringList> messages_;
};

// Installs a recording service for the life of the object; Qt's dialogs
// again afterwards.
class TRecordedMessages {
public:
    TRecordedMessages() { SetDialogService(std::make_unique<TRecordingDialogs>(messages_)); }
    ~TRecordedMessages() { SetDialogService(nullptr); }
    TRecordedMessages(const TRecordedMessages&) = delete;
    TRecordedMessages& operator=(const TRecordedMessages&) = delete;

    const QStringList& Texts() const { return *messages_; }

private:
    std::shared_ptr<QStringList> messages_ = std::make_shared<QStringList>();
};
