#include "ui/PrintOrigin.h"

#include "platform/ui/FormSupport.h"
#include "platform/ui/FormFont.h"

#include "ui_PrintOrigin.h"

#include <QKeyEvent>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

constexpr int form_font_pixels = 13;

// rgOrigin's item for each reference point 0 (lower left) to 8 (upper
// right); the items run column by column from the top.
constexpr std::array<int, 9> item_of_reference_point { 2, 5, 8, 1, 4, 7, 0, 3, 6 };
constexpr int lower_left_item = item_of_reference_point[0];

} // namespace

TfmPrintOrigin::TfmPrintOrigin(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , ui_(std::make_unique<Ui::TfmPrintOrigin>())
{
    ui_->setupUi(this);
    UseFormFont(this, form_font_pixels);
    setFixedSize(size());
    // The item indexes are the group's ids.
    const std::array<QAbstractButton*, 9> items { ui_->rbOrigin0, ui_->rbOrigin1, ui_->rbOrigin2,
                                                  ui_->rbOrigin3, ui_->rbOrigin4, ui_->rbOrigin5,
                                                  ui_->rbOrigin6, ui_->rbOrigin7, ui_->rbOrigin8 };
    for (int item = 0; item < static_cast<int>(items.size()); ++item)
        ui_->rgOriginItems->setId(items[static_cast<std::size_t>(item)], item);
    connect(ui_->rgOriginItems, &QButtonGroup::idClicked, this, [this] { rgOriginClick(); });
    connect(ui_->btnExec, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
    connect(ui_->btnCancel, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Rejected); });
    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
    FormCreate();
}

TfmPrintOrigin::~TfmPrintOrigin() = default;

int TfmPrintOrigin::ReferencePointOfItem(int item)
{
    const auto found = std::find(item_of_reference_point.begin(), item_of_reference_point.end(), item);
    return found == item_of_reference_point.end()
        ? -1
        : static_cast<int>(std::distance(item_of_reference_point.begin(), found));
}

int TfmPrintOrigin::ItemOfReferencePoint(int reference_point)
{
    if (reference_point < 0 || reference_point >= static_cast<int>(item_of_reference_point.size()))
        return lower_left_item;
    return item_of_reference_point[static_cast<std::size_t>(reference_point)];
}

int TfmPrintOrigin::ItemIndex() const { return ui_->rgOriginItems->checkedId(); }

void TfmPrintOrigin::SetItemIndex(int item)
{
    if (QAbstractButton* button = ui_->rgOriginItems->button(item)) {
        button->setChecked(true);
        return;
    }
    // No item: an exclusive group unchecks only with its exclusivity off.
    if (QAbstractButton* checked = ui_->rgOriginItems->checkedButton()) {
        ui_->rgOriginItems->setExclusive(false);
        checked->setChecked(false);
        ui_->rgOriginItems->setExclusive(true);
    }
}

int TfmPrintOrigin::ReferencePoint() const { return ReferencePointOfItem(ItemIndex()); }

void TfmPrintOrigin::SetReferencePoint(int reference_point) { SetItemIndex(ItemOfReferencePoint(reference_point)); }

QAbstractButton* TfmPrintOrigin::rgOriginItem(int item) const { return ui_->rgOriginItems->button(item); }
QPushButton* TfmPrintOrigin::btnExec() const { return ui_->btnExec; }
QPushButton* TfmPrintOrigin::btnCancel() const { return ui_->btnCancel; }

void TfmPrintOrigin::FormCreate() { SetItemIndex(lower_left_item); }

void TfmPrintOrigin::FormShow() { ui_->btnExec->setFocus(); }

void TfmPrintOrigin::rgOriginClick() { SetModalResult(this, QDialog::Accepted); }

bool TfmPrintOrigin::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        ui_->btnCancel->click();
        return true;
    }
    // A dialog takes an accelerator without Alt as well, as long as the
    // focus is on a control that does not take text (all of this form's).
    // Alt with the digit reaches the item through Qt's own mnemonics.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier || event->key() < Qt::Key_1 || event->key() > Qt::Key_9)
        return false;
    const int reference_point = event->key() - Qt::Key_1;
    ui_->rgOriginItems->button(ItemOfReferencePoint(reference_point))->click();
    return true;
}

void TfmPrintOrigin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}
