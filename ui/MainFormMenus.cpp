// The menus that open other things: the batch file for the CAD program,
// the help file and the About box.

#include "ui/MainForm.h"

#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/AboutBox.h"
#include "ui/HelpFile.h"
#include "ui/ZuhenBatchFile.h"

#include <QDir>

void TForm1::Makebat1Click()
{
    const QString proposed = QDir::current().filePath(QStringLiteral("_zuview.bat"));
    const QString chosen = DialogService().SaveFileName(this, QtText(u8"外変バッチの作成"), proposed,
                                                        QStringLiteral("bat (*.bat)"));
    if (chosen.isEmpty())
        return;
    // The extension is settled before anything is asked about the file, so
    // the question is about the file that is written.
    const std::filesystem::path file = BatchFileName(PathFromText(chosen));
    if (!ConfirmOverwrite(this, PathText(file)))
        return;
    switch (WriteZuhenBatchFile(file, ProgramFolder())) {
    case TBatchWriteResult::Written:
        break;
    case TBatchWriteResult::FolderNotShiftJis:
        ShowMessage(this, PathText(ProgramFolder()) + QtText(u8" は Shift-JIS で表せないため，バッチファイルに書けません．"),
                    QMessageBox::Warning);
        break;
    case TBatchWriteResult::NotWritable:
        ShowMessage(this, PathText(file) + QtText(u8" を作成できません．"), QMessageBox::Warning);
        break;
    }
}

void TForm1::Tutorial1Click()
{
    OpenHelpFile(this, ProgramFolder());
}

void TForm1::About1Click()
{
    GivenOrOwnForm(forms_.about_box, own_about_box_, this).exec();
}
