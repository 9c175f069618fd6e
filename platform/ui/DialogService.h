#pragma once

// The one way the windows ask the user through a standard dialog: message
// boxes, file dialogs, the colour dialog and the printer's dialogs. The application uses Qt's
// dialogs; tests install a service that answers without showing a window.

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;

class TDialogService {
public:
    virtual ~TDialogService() = default;

    // The button chosen (QMessageBox::StandardButton).
    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                                const QString& text, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton default_button);
    // The chosen file, or an empty text when cancelled. The filter is Qt's
    // ("Drawings (*.zhd);;All files (*)").
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter);
    // Asks nothing about an existing file: see ConfirmOverwrite.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter);
    // False when cancelled; the colour is then left alone.
    virtual bool ChooseColor(QWidget* parent, QColor& color);
    // The print dialog for the printer: false when cancelled, the printer
    // then left as it was.
    virtual bool PrintDialog(QWidget* parent, QPrinter& printer);
    // The printer's page set-up: false when cancelled.
    virtual bool PageSetupDialog(QWidget* parent, QPrinter& printer);
    // The short information sound of the system.
    virtual void Beep();
};

// The service in use; Qt's dialogs until another is installed.
TDialogService& DialogService();
// Installs a service (nullptr restores Qt's); returns the one it replaced.
std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service);

// True when no file is at the path, or the user agrees to replace it.
bool ConfirmOverwrite(QWidget* parent, const QString& path);

// A message with one OK button, the program's caption and the icon.
void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Information);
