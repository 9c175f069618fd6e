#include "ui/InputBox.h"

#include "controls/FloatEdit.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/FormFont.h"

#include "ui_InputBox.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

constexpr int form_font_pixels = 12;

} // namespace

TfmInputBox::TfmInputBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , ui_(std::make_unique<Ui::TfmInputBox>())
{
    ui_->setupUi(this);
    UseFormFont(this, form_font_pixels);
    setFixedSize(size());
    // Numbers are typed in half-width digits.
    ui_->neBox->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui_->feBox->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(ui_->btnExec, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
    connect(ui_->btnCancel, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Rejected); });
    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
}

TfmInputBox::~TfmInputBox() = default;

QLabel* TfmInputBox::Label1() const { return ui_->Label1; }
QLabel* TfmInputBox::Label2() const { return ui_->Label2; }
QLineEdit* TfmInputBox::eBox() const { return ui_->eBox; }
TNumberEdit* TfmInputBox::neBox() const { return ui_->neBox; }
TFloatEdit* TfmInputBox::feBox() const { return ui_->feBox; }
QPushButton* TfmInputBox::btnExec() const { return ui_->btnExec; }
QPushButton* TfmInputBox::btnCancel() const { return ui_->btnCancel; }

void TfmInputBox::ShowEditor(QLineEdit* editor)
{
    for (QLineEdit* each : { ui_->eBox, static_cast<QLineEdit*>(ui_->neBox), static_cast<QLineEdit*>(ui_->feBox) })
        each->setVisible(each == editor);
}

void TfmInputBox::FormShow()
{
    for (QLineEdit* editor : { ui_->eBox, static_cast<QLineEdit*>(ui_->neBox), static_cast<QLineEdit*>(ui_->feBox) }) {
        if (editor->isHidden() || !editor->isEnabled())
            continue;
        editor->setFocus();
        // The number edits select their text on entering; the text editor
        // is given the same.
        if (editor == ui_->eBox)
            editor->selectAll();
        return;
    }
}

bool TfmInputBox::FormKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // The real-number editor tells the user about a text that is no
        // number and shows its old value again; accepting now would take
        // that old value behind the user's back. The box stays open with
        // the editor to be corrected instead.
        const bool refused = focusWidget() == ui_->feBox && !ui_->feBox->HoldsNumber();
        focusNextChild();
        if (refused)
            ui_->feBox->setFocus();
        else
            ui_->btnExec->click();
        return true;
    }
    case Qt::Key_Escape:
        focusNextChild();
        ui_->btnCancel->click();
        return true;
    default:
        return false;
    }
}

void TfmInputBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}
