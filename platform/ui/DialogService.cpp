#include "platform/ui/DialogService.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>

QMessageBox::StandardButton TDialogService::Message(QWidget* parent, QMessageBox::Icon icon,
                                                    const QString& caption, const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton default_button)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(default_button);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString TDialogService::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString TDialogService::SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter)
{
    // The caller asks about an existing file once it knows the name it will
    // really write (an extension may still be changed).
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

void TDialogService::Beep()
{
    QApplication::beep();
}

bool ConfirmOverwrite(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString question = path + QtText(u8" は既に存在します．\n上書きしますか？");
    return DialogService().Message(parent, QMessageBox::Question, QApplication::applicationDisplayName(), question,
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

bool TDialogService::ChooseColor(QWidget* parent, QColor& color)
{
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool TDialogService::PrintDialog(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TDialogService::PageSetupDialog(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace {

std::unique_ptr<TDialogService>& InstalledService()
{
    static std::unique_ptr<TDialogService> service = std::make_unique<TDialogService>();
    return service;
}

} // namespace

TDialogService& DialogService()
{
    return *InstalledService();
}

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service)
{
    std::unique_ptr<TDialogService> replaced = std::move(InstalledService());
    InstalledService() = service ? std::move(service) : std::make_unique<TDialogService>();
    return replaced;
}

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    DialogService().Message(parent, icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                            QMessageBox::Ok);
}
