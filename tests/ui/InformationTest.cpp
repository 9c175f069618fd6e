#include "ui/Information.h"

#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"

#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(Information, Screenshot)
{
    TfmInformation information;
    information.Memo1()->setPlainText(QStringLiteral("プリンタ名\tPDF\n用紙\tA4"));
    EXPECT_EQ(information.size(), QSize(800, 600));
    CheckScreenshot(information, "Information", { "プリンタとデータファイルの情報" });
    // Memo1 fills the window above the status bar.
    EXPECT_EQ(information.Memo1()->geometry().top(), 0);
    EXPECT_EQ(information.Memo1()->width(), information.width());
    EXPECT_EQ(information.Memo1()->geometry().bottom() + 1, information.StatusBar1()->geometry().top());
    EXPECT_EQ(information.StatusBar1()->geometry().bottom() + 1, information.height());
}

TEST(Information, KeepsTabsAndLongLines)
{
    TfmInformation information;
    QPlainTextEdit* memo = information.Memo1();
    EXPECT_FALSE(memo->tabChangesFocus());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    memo->appendPlainText(QStringLiteral("a\tb"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("a\tb"));
}

TEST(Information, ComesUpCentredOnItsOwner)
{
    QWidget owner;
    owner.setGeometry(100, 80, 1000, 900);
    ShowActive(owner);
    auto* information = new TfmInformation(&owner);
    information->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(information));
    const QPoint offset = information->frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    EXPECT_TRUE(information->isWindow());
}
