#include "ui/AboutBox.h"

#include "platform/ui/FormFont.h"
#include "platform/ui/FormSupport.h"

#include "ui_AboutBox.h"

#include <QApplication>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int form_font_pixels = 12;

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TAboutBox>())
{
    ui_->setupUi(this);
    UseFormFont(this, form_font_pixels);
    ui_->ProgramIcon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
    connect(ui_->OKButton, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormShow()
{
    versions_.SetFileName(QCoreApplication::applicationFilePath());
    ui_->CompanyName->setText(versions_.GetWin32StringFileInfo(0));
    ui_->ProductName->setText(versions_.GetWin32StringFileInfo(6));
    ui_->Version->setText(QStringLiteral("Version ") + versions_.GetWin32StringFileInfo(2));
    ui_->Copyright->setText(versions_.GetWin32StringFileInfo(4));
    ui_->Comments->setText(versions_.GetWin32StringFileInfo(1));
}

void TAboutBox::KeepOnScreen()
{
    const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (on == nullptr)
        return;
    const QRect area = on->geometry();
    const QRect frame = frameGeometry();
    QPoint at = frame.topLeft();
    at.setX(std::max(at.x(), area.left()));
    at.setY(std::max(at.y(), area.top()));
    if (at.y() + frame.height() > area.bottom() + 1)
        at.setY(area.bottom() + 1 - frame.height());
    if (at.x() + frame.width() > area.right() + 1)
        at.setX(area.right() + 1 - frame.width());
    if (at != frame.topLeft())
        move(at);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        ui_->OKButton->setFocus();
    }
    KeepOnScreen();
}

void TAboutBox::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    KeepOnScreen();
}
