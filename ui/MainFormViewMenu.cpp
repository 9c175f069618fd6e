// The View menu and the search check box: showing and hiding the bars and
// tool windows.

#include "ui/MainForm.h"

#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"

#include <QAction>
#include <QCheckBox>

QWidget* TForm1::ViewBar(int tag) const
{
    QWidget* const bars[] = { ToolbarFile,   ToolbarCommand1, ToolbarView,     ToolbarPanel1, ToolbarPanel2,
                              ToolbarPanel3, ToolWindowGroup, ToolWindowLayer, ToolbarSearch };
    return tag >= 0 && tag < static_cast<int>(std::size(bars)) ? bars[tag] : nullptr;
}

void TForm1::ViewLayerClick(QAction* sender)
{
    if (!sender)
        return;
    const int tag = sender->data().toInt();
    // The action toggled its check itself when the user chose it.
    const bool show = sender->isChecked();
    auto* window = static_cast<TCustomToolWindow97*>(ViewBar(tag));
    if (!window)
        return;
    window->setVisible(show);
    if (tag == 8)
        cbSearch->setChecked(show);
    if ((tag == 6 || tag == 7) && window->Visible())
        MakeClientLower(static_cast<TToolWindow97*>(window));
}

void TForm1::Show1Click()
{
    for (int tag = 0; tag < static_cast<int>(ViewItems.size()); ++tag) {
        const auto* window = static_cast<const TCustomToolWindow97*>(ViewBar(tag));
        ViewItems[static_cast<std::size_t>(tag)]->setChecked(window && window->Visible());
    }
}

void TForm1::cbSearchClick()
{
    ViewItems[8]->setChecked(cbSearch->isChecked());
    ToolbarSearch->setVisible(cbSearch->isChecked());
    ToolbarSubCommand->setFocus();
}

void TForm1::ToolbarSearchClose()
{
    cbSearch->setChecked(false);
    ViewItems[8]->setChecked(cbSearch->isChecked());
    ToolbarSubCommand->setFocus();
}
