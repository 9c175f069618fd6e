// The text search bar: searching and stepping through the hits, the option
// items, narrowing with the candidate box, the word history and SIMA point
// names, on a shown main window whose drawing the tests write.

#include "tests/ui/OverDrawingTestSupport.h"

#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "document/TextMatcher.h"
#include "elements/KMoji.h"
#include "platform/FileNameComponent.h"
#include "ui/CandidateBox.h"
#include "ui/DrawingOpener.h"
#include "ui/GroupLayerBars.h"
#include "ui/SearchBar.h"
#include "ui/SearchHistory.h"
#include "ui/SearchNarrowing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>

#include <boost/make_shared.hpp>

namespace {

struct TPlacedText {
    const char8_t* text;
    double x;
    double y;
    int group = 0;
    int layer = 0;
};

TZhdElemPtr TextAt(const TPlacedText& placed)
{
    auto text = boost::make_shared<TKMoji>(TBPoint(placed.x, placed.y), TBPoint(placed.x + 10, placed.y),
                                           TZhdaMoji(5, 5, 0, 1), 1, TAngle(0.0), "", sj(placed.text));
    text->SetGLayer(static_cast<std::uint16_t>(placed.group));
    text->SetLayer(static_cast<std::uint16_t>(placed.layer));
    return text;
}

// Three hits of "階段" among other texts, in list order.
const std::vector<TPlacedText> stair_texts = {
    { u8"北階段", -50, 20 }, { u8"廊下", 0, 0 }, { u8"階段室", 30, -10 }, { u8"便所", 5, 5 }, { u8"南階段", 60, 40 },
};

QString Caption(TForm1& form)
{
    return form.ToolbarSearch->Caption();
}

std::vector<std::pair<std::string, int>> CandidateList(const std::vector<TCountString>& candidates)
{
    std::vector<std::pair<std::string, int>> list;
    for (const TCountString& candidate : candidates)
        list.emplace_back(SjisToUtf8(candidate.GetText()), candidate.GetCount());
    return list;
}

} // namespace

class SearchBarTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        form.cbSearch->setChecked(true);
    }

    // The texts are saved and opened as a drawing, so the print title has
    // the drawing's folder.
    void OpenTexts(const std::vector<TPlacedText>& texts)
    {
        TZhdData drawing;
        drawing.GetHeadPtr().SetPaperSize(3);
        for (const TPlacedText& placed : texts)
            drawing.GetElemListPtr().Append(TextAt(placed));
        const std::filesystem::path path = folder.File("texts.zhd");
        ASSERT_EQ(drawing.SaveToFile(SjisPath(path)), TSaveStatus::Saved);
        ASSERT_EQ(form.FileOpen(path), 1);
        UseView(1);
    }

    TSearchBar& Bar() { return form.SearchBar(); }
    TInfoREG& Info() { return Document().GetInfoRegPtr(); }

    void TypeComboWord(const QString& word) { form.cbSearchWord->setEditText(word); }
    void Click(QToolButton* button)
    {
        TRedrawTime time(form, 1000);
        time.Advance(100);
        button->click();
    }

    TempDir folder;
};

TEST_F(SearchBarTest, ClicksStepThroughTheHitsAndCentreTheViewOnEach)
{
    OpenTexts(stair_texts);
    form.cbPanView->setChecked(true);
    TypeComboWord(QtText(u8"階段"));
    ASSERT_TRUE(form.btnSearch->isEnabled());
    struct TStep {
        bool backward;
        const char8_t* caption_end;
        double x;
        double y;
    };
    const TStep steps[] = {
        { false, u8"階段 = 1 / 3 文字", -50, 20 }, { false, u8"階段 = 2 / 3 文字", 30, -10 },
        { false, u8"階段 = 3 / 3 文字", 60, 40 },  { false, u8"階段 = 1 / 3 文字", -50, 20 },
        { true, u8"階段 = 3 / 3 文字", 60, 40 },   { true, u8"階段 = 2 / 3 文字", 30, -10 },
    };
    for (const TStep& step : steps) {
        Click(step.backward ? form.btnSearch2 : form.btnSearch);
        EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... ") + QtText(step.caption_end));
        EXPECT_EQ(Info().GetView().GetX(), step.x) << Caption(form).toStdString();
        EXPECT_EQ(Info().GetView().GetY(), step.y) << Caption(form).toStdString();
    }
    EXPECT_EQ(form.btnSearch->text(), QtText(u8"次索"));
    EXPECT_TRUE(form.btnSearch2->isEnabled());
    EXPECT_EQ(Document().GetElemListPtr().GetSelectedCount(), 3u);
}

TEST_F(SearchBarTest, WithoutAPanBoxASearchOnlyMarksAndCountsAndAnEmptyWordResets)
{
    OpenTexts(stair_texts);
    const TZhdZoom view = Info().GetView();
    const auto selection_pixels = [this] {
        int pixels = 0;
        const QRect box = QRect(PixelOf(30, -5), PixelOf(40, -10)).normalized().adjusted(-2, -2, 2, 2);
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x)
                pixels += Front().pixel(x, y) == ScreenColour(test_selection_colour);
        }
        return pixels;
    };
    EXPECT_EQ(selection_pixels(), 0);
    TypeComboWord(QtText(u8"階段"));
    Click(form.btnSearch);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... 階段 = 3 文字"));
    EXPECT_EQ(Document().GetElemListPtr().GetSelectedCount(), 3u);
    // The hits are drawn in the selection pen over the picture.
    EXPECT_GT(selection_pixels(), 0);

    Click(form.btnSearch);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... 階段 = 3 文字"));
    EXPECT_EQ(Info().GetView(), view);
    EXPECT_FALSE(form.btnSearch2->isEnabled());

    {
        TRedrawTime time(form, 2000);
        time.Advance(100);
        TypeComboWord(QString());
    }
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索"));
    EXPECT_EQ(Document().GetElemListPtr().GetSelectedCount(), 0u);
    EXPECT_EQ(selection_pixels(), 0) << "the hits are still drawn";
    EXPECT_FALSE(form.btnSearch->isEnabled());
    EXPECT_EQ(form.btnSearch->text(), QtText(u8"検索"));
}

TEST_F(SearchBarTest, PrintOriginMovesThePrinterAreaAndNamesThePrintSafely)
{
    const std::vector<TPlacedText> texts = {
        { u8"../x", 10, 10 }, { u8"a/b", 20, 20 }, { u8"C:\\x", 30, 30 }, { u8"\t", 40, 40 },
    };
    OpenTexts(texts);
    form.cbPanPrt->setChecked(true);
    form.ppmSCRegular->setChecked(true);
    TypeComboWord(QStringLiteral("."));
    const std::string folder_prefix = SjisPath(folder.Path()) + "/";
    const std::string expected_titles[] = { "_x", "a_b", "C:_x", "" };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        Click(form.btnSearch);
        const TZhdZoomF area = Document().GetHeadPtr().GetPrinterArea();
        const TBPoint reference =
            Info().GetPrintFrameCentre(area.GetCode() / 10, TBPoint(texts[i].x, texts[i].y), Document());
        EXPECT_EQ(area.GetX(), reference.GetX()) << i;
        EXPECT_EQ(area.GetY(), reference.GetY()) << i;
        EXPECT_TRUE(form.State().SearchHit);
        const std::string expected = expected_titles[i].empty()
            ? folder_prefix + "$$$texts.zhd"
            : folder_prefix + expected_titles[i];
        EXPECT_EQ(form.Opener().PrintTitle(), expected) << i;
    }
    // A new search puts the default title back.
    TypeComboWord(QStringLiteral("zzz"));
    Click(form.btnSearch);
    EXPECT_EQ(form.Opener().PrintTitle(), folder_prefix + "$$$texts.zhd");
}

TEST(FileNameComponent, TextsBecomeOneComponent)
{
    const std::string long_text = std::string(99, 'a') + sj(u8"あ") + std::string(150, 'b');
    const struct {
        std::string text;
        std::string component;
    } cases[] = {
        { "../x", "_x" },
        { "a/b", "a_b" },
        { "C:\\x", "C:_x" },
        { "a\tb\x7F", "ab" },
        { " .. .name", "name" },
        { "..", "" },
        { "", "" },
        // "ソ" ends in the byte of "\": taken whole.
        { sj(u8"ソ表"), sj(u8"ソ表") },
        // 300 bytes are cut to 200 at a character boundary.
        { std::string(199, 'a') + sj(u8"あ"), std::string(199, 'a') },
        { long_text, long_text.substr(0, 200) },
    };
    for (const auto& c : cases) {
        const std::string component = FileNameComponentOf(c.text);
        EXPECT_EQ(component, c.component) << c.text;
        EXPECT_LE(component.size(), 200u);
    }
}

TEST_F(SearchBarTest, AnInvalidPatternIsAnErrorAndTheMarksStay)
{
    OpenTexts(stair_texts);
    TypeComboWord(QtText(u8"階段"));
    Click(form.btnSearch);
    ASSERT_EQ(Document().GetElemListPtr().GetSelectedCount(), 3u);
    form.ppmSCRegular->setChecked(true);
    TypeComboWord(QStringLiteral("(a"));
    Click(form.btnSearch);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... (a = 正規表現エラー"));
    EXPECT_EQ(Document().GetElemListPtr().GetSelectedCount(), 3u);
    EXPECT_EQ(Bar().HitCount(), 3);
}

TEST_F(SearchBarTest, AWordShiftJisCannotHoldFindsNothing)
{
    OpenTexts({ { u8"?", 0, 0 }, { u8"A?", 0, 0 } });
    TypeComboWord(QString::fromUtf8("\xED\x95\x9C")); // a Hangul syllable
    Click(form.btnSearch);
    EXPECT_EQ(Bar().HitCount(), 0);
    EXPECT_TRUE(Caption(form).endsWith(QtText(u8" = 0 文字")));
    form.cbSearchNarrow->setChecked(true);
    form.ebSearchWord->setText(QString::fromUtf8("\xED\x95\x9C"));
    EXPECT_TRUE(Bar().Candidates().empty());
}

// Home clears the marks while the selected count stays: the next step
// searches again instead of finding no hit.
TEST_F(SearchBarTest, AStepWithoutMarksSearchesAgain)
{
    OpenTexts(stair_texts);
    form.cbPanView->setChecked(true);
    TypeComboWord(QtText(u8"階段"));
    Click(form.btnSearch);
    Click(form.btnSearch);
    for (const TZhdElemPtr& elem : Document().GetElemListPtr().GetItemsPtr())
        elem->GetElemFlgPtr().ClearBit(TZhdElem::SelectedMark);
    Click(form.btnSearch);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... 階段 = 1 / 3 文字"));
    EXPECT_EQ(Info().GetView().GetX(), -50);
}

TEST_F(SearchBarTest, OptionItemsGiveTheirBitsAndTheHint)
{
    const struct {
        QAction* TMainControls::*item;
        int bit;
        const char8_t* names;
    } cases[] = {
        { &TMainControls::ppmSCPerfect, SearchExactMatch, u8"完" },
        { &TMainControls::ppmSCZH, SearchFoldWidth, u8"全半" },
        { &TMainControls::ppmSCOK, SearchFoldCase, u8"大小" },
        { &TMainControls::ppmSCSPACE, SearchIgnoreBlanks, u8"スペース" },
        { &TMainControls::ppmSCKINWARI, SearchIgnoreEqualSpacing, u8"均割" },
        { &TMainControls::ppmSCSPST, SearchDuplicateChars, u8"同文字" },
        { &TMainControls::ppmSCRegular, SearchRegularExpression, u8"正規" },
        { &TMainControls::ppmSCNoSort, SearchDataOrder, u8"並替無" },
        { &TMainControls::ppmSCSortText, SearchAscending, u8"文字順" },
        { &TMainControls::ppmSCSortText2, SearchDescending, u8"文字逆順" },
    };
    const QString lead = QtText(u8"検索設定を行います．\n現在の設定： ");
    EXPECT_EQ(form.BuildSearchConfigHint(), lead + QtText(u8"なし"));
    for (const auto& c : cases) {
        (form.*c.item)->trigger();
        EXPECT_EQ(form.GetSearchOptions(), c.bit) << SjisToUtf8(sj(c.names));
        EXPECT_EQ(form.tbtn97SearchConfig->toolTip(), lead + QtText(c.names));
        (form.*c.item)->trigger();
    }
    // In the hint's order; a regular expression turns the five off.
    for (QAction* item : { form.ppmSCKINWARI, form.ppmSCPerfect, form.ppmSCSPST })
        item->trigger();
    EXPECT_EQ(form.BuildSearchConfigHint(), lead + QtText(u8"完｜均割｜同文字"));
    form.ppmSCRegular->trigger();
    EXPECT_EQ(form.BuildSearchConfigHint(), lead + QtText(u8"同文字｜正規"));
    EXPECT_EQ(form.GetSearchOptions(), SearchDuplicateChars | SearchRegularExpression);
    for (QAction* item : { form.ppmSCPerfect, form.ppmSCZH, form.ppmSCOK, form.ppmSCSPACE, form.ppmSCKINWARI })
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    // Narrowing mode has no regular expressions: the five come back.
    form.cbSearchNarrow->setChecked(true);
    EXPECT_FALSE(form.ppmSCRegular->isEnabled());
    EXPECT_EQ(form.GetSearchOptions(), SearchExactMatch | SearchIgnoreEqualSpacing | SearchDuplicateChars);
    for (QAction* item : { form.ppmSCPerfect, form.ppmSCZH, form.ppmSCOK, form.ppmSCSPACE, form.ppmSCKINWARI })
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
}

TEST(SearchNarrowing, CandidatesBeginWithTheWordUnderTheOptions)
{
    const std::vector<const char8_t*> texts = {
        u8"Abc", u8"abc", u8"abc", u8"ab c", u8"部屋・・", u8"部屋･", u8"部屋", u8"ﾄﾞｱ", u8"ドア", u8"どあ", u8"ドア",
    };
    using TList = std::vector<std::pair<std::string, int>>;
    const struct {
        const char8_t* word;
        int options;
        TList expected;
    } cases[] = {
        // Every distinct text once, counted, in the order of its Shift-JIS
        // bytes: half-width kana (0xA1 to 0xDF) after the double-byte
        // characters that lead with 0x81 to 0x9F.
        { u8"",
          0,
          { { "Abc", 1 }, { "ab c", 1 }, { "abc", 2 }, { "どあ", 1 }, { "ドア", 2 }, { "部屋", 1 },
            { "部屋・・", 1 }, { "部屋･", 1 }, { "ﾄﾞｱ", 1 } } },
        { u8"a", 0, { { "ab c", 1 }, { "abc", 2 } } },
        // The texts listed as collected: "Abc" and "abc" stay apart.
        { u8"a", SearchFoldCase, { { "Abc", 1 }, { "ab c", 1 }, { "abc", 2 } } },
        { u8"abc", SearchIgnoreBlanks, { { "ab c", 1 }, { "abc", 2 } } },
        { u8"部屋・・", SearchIgnoreEqualSpacing | SearchExactMatch,
          { { "部屋", 1 }, { "部屋・・", 1 }, { "部屋･", 1 } } },
        { u8"部屋･", 0, { { "部屋･", 1 } } },
        { u8"ﾄﾞ", SearchFoldWidth, { { "どあ", 1 }, { "ドア", 2 }, { "ﾄﾞｱ", 1 } } },
        { u8"ド", 0, { { "ドア", 2 } } },
        // The regular-expression bit is no narrowing option.
        { u8"^a", SearchRegularExpression, {} },
    };
    for (const auto& c : cases) {
        std::vector<std::string> collected;
        for (const char8_t* text : texts)
            collected.push_back(sj(text));
        std::vector<TCountString> candidates;
        NarrowTexts(collected, sj(c.word), c.options, candidates);
        EXPECT_EQ(CandidateList(candidates), c.expected) << SjisToUtf8(sj(c.word)) << " " << c.options;
    }
}

TEST_F(SearchBarTest, NarrowingTakesTheTargetLayersScopeAndFollowsTheBars)
{
    OpenTexts({ { u8"部屋A", 0, 0, 0, 0 }, { u8"部屋B", 0, 0, 0, 1 }, { u8"部屋C", 0, 0, 1, 0 } });
    form.cbSearchNarrow->setChecked(true);
    form.ebSearchWord->setText(QtText(u8"部屋"));
    EXPECT_EQ(Bar().Candidates().size(), 3u);
    EXPECT_TRUE(Caption(form).startsWith(QtText(u8"文字列検索 ... 絞込候補：3 (")));
    EXPECT_TRUE(Caption(form).endsWith(QtText(u8"秒)")));
    EXPECT_TRUE(Bar().CandidateBox().isVisible());
    // The write layer of the write group: group 0, layer 0.
    form.cbTargetLayer->setCurrentIndex(2);
    form.cbTargetLayerClick();
    EXPECT_EQ(CandidateList(Bar().Candidates()), (std::vector<std::pair<std::string, int>> { { "部屋A", 1 } }));
    form.cbTargetLayer->setCurrentIndex(0);
    form.cbTargetLayerClick();
    // A drawing opened anew is narrowed again.
    form.tbtn97UpdateClick();
    EXPECT_EQ(Bar().Candidates().size(), 3u);
    // Group 1 hidden on its bar: the bar narrows again, without its text.
    ASSERT_EQ(Document().GetHeadPtr().GetGroupState(1), LayerEditable);
    QTest::mouseClick(form.GroupButtons[1], Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(Document().GetHeadPtr().GetGroupState(1), LayerHidden);
    EXPECT_EQ(Bar().Candidates().size(), 2u);
}

TEST_F(SearchBarTest, WordKeysStepOpenTheBoxAndSearch)
{
    OpenTexts(stair_texts);
    form.cbPanView->setChecked(true);
    // Enter searches forward, Shift+Enter backward.
    form.cbSearchWord->setFocus();
    TypeComboWord(QtText(u8"階段"));
    QTest::keyClick(form.cbSearchWord->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... 階段 = 1 / 3 文字"));
    QTest::keyClick(form.cbSearchWord->lineEdit(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索 ... 階段 = 3 / 3 文字"));
    EXPECT_TRUE(form.cbSearchWord->hasFocus() || form.cbSearchWord->lineEdit()->hasFocus());
    // Enter with nothing to search does nothing.
    TypeComboWord(QString());
    QTest::keyClick(form.cbSearchWord->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Caption(form), QtText(u8"文字列検索"));

    form.cbSearchNarrow->setChecked(true);
    QLineEdit* edit = form.ebSearchWord;
    edit->setFocus();
    edit->insert(QtText(u8"階"));
    EXPECT_TRUE(Bar().CandidateBox().isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(Bar().CandidateBox().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), edit);
    // Down opens it again at the first row; in the open box Up goes to the
    // last row.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_TRUE(Bar().CandidateBox().isVisible());
    EXPECT_EQ(Bar().SelectedCandidate(), 0);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    EXPECT_TRUE(Bar().ebSearchWordKeyDown(&up));
    EXPECT_EQ(Bar().SelectedCandidate(), static_cast<int>(Bar().Candidates().size()) - 1);
}

TEST_F(SearchBarTest, HistoryFilesRoundTripAndSimaFilesAddPointNames)
{
    QComboBox& box = *form.cbSearchWord;
    const QStringList words = { QtText(u8"北階段"), QStringLiteral("A-101"), QtText(u8"便所　男") };
    box.addItems(words);
    const std::filesystem::path history = folder.File("history.txt");
    dialogs.script->file_names = { PathText(history) };
    form.SearchHistorySaveClick();
    EXPECT_EQ(ReadFileBytes(history), SjisToUtf8(sj(u8"北階段")) + "\nA-101\n" + SjisToUtf8(sj(u8"便所　男")) + "\n");

    // A text file replaces the history and its first item becomes the word.
    form.SearchHistoryClearClick();
    box.addItem(QStringLiteral("old"));
    dialogs.script->file_names = { PathText(history) };
    form.SearchHistoryLoadClick();
    ASSERT_EQ(box.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(box.itemText(i), words[i]);
    EXPECT_EQ(box.currentText(), words[0]);
    EXPECT_EQ(Bar().SearchWord(), words[0]);

    // A SIMA file, its extension in capitals, appends the names of its
    // three-field "A01" lines; CP932 and CR LF as the surveying tools write.
    const std::filesystem::path sima = folder.Write(
        "points.SIM", "G00,01,test,\r\nA01,1,K-1 ,10.0,20.0\r\nA01,2\r\nA01,3,\r\nA01,4," + sj(u8"境界") + ",1,2\r\nB01,5,X\r\n");
    dialogs.script->file_names = { PathText(sima) };
    form.SearchHistoryLoadClick();
    ASSERT_EQ(box.count(), 5);
    EXPECT_EQ(box.itemText(3), QStringLiteral("K-1"));
    EXPECT_EQ(box.itemText(4), QtText(u8"境界"));

    // A missing file, or a cancelled dialog, changes nothing.
    dialogs.script->file_names = { PathText(folder.File("missing.txt")), QString() };
    form.SearchHistoryLoadClick();
    form.SearchHistoryLoadClick();
    EXPECT_EQ(box.count(), 5);

    form.SearchHistoryClearClick();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentText(), QString());
    EXPECT_EQ(Bar().SearchWord(), QString());
}

TEST(SearchHistory, FilesReadAsUtf8OrCp932WithinTheirBounds)
{
    TempDir folder;
    const struct {
        std::string bytes;
        QStringList lines;
    } cases[] = {
        { SjisToUtf8(sj(u8"階段")) + "\r\nB\n", { QtText(u8"階段"), QStringLiteral("B") } },
        { sj(u8"階段") + "\r\nB", { QtText(u8"階段"), QStringLiteral("B") } },
        { "a\n\nb\r\r\n", { QStringLiteral("a"), QString(), QStringLiteral("b\r") } },
        { "", {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadSearchHistoryLines(folder.Write("h.txt", c.bytes)), c.lines) << c.bytes;

    std::string many;
    for (int i = 0; i < 1500; ++i)
        many += "A01," + std::to_string(i) + ",P" + std::to_string(i) + "\n";
    EXPECT_EQ(ReadSearchHistoryLines(folder.Write("many.txt", many)).size(), 1000);
    EXPECT_EQ(ReadSimaPointNames(folder.Write("many.sim", many)).size(), 1000);
    // A huge file is read only so far.
    const std::string line(1023, 'x');
    std::string huge;
    for (int i = 0; i < 20 * 1024; ++i)
        huge += line + "\n";
    EXPECT_EQ(ReadSearchHistoryLines(folder.Write("huge.txt", huge)).size(), 1000);
    EXPECT_TRUE(ReadSimaPointNames(folder.Write("huge.sim", huge)).empty());
}

// The bar after a restart: narrowing mode and the options as they were left,
// the regular-expression item off in narrowing mode, the hint rebuilt.
TEST(SearchBarSettings, TheBarComesBackAsItWasLeft)
{
    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
    {
        TForm1 form;
        form.show();
        SettleView(form);
        EXPECT_FALSE(form.cbSearchNarrow->isChecked());
        EXPECT_TRUE(form.ebSearchWord->isHidden());
        EXPECT_FALSE(form.cbKiten->isEnabled());
        form.cbSearchNarrow->setChecked(true);
        form.cbPanPrt->setChecked(true);
        form.ppmSCOK->trigger();
        form.ppmSCRegular->setChecked(true);
        form.close();
    }
    TForm1 form;
    form.show();
    SettleView(form);
    EXPECT_TRUE(form.cbSearchNarrow->isChecked());
    EXPECT_FALSE(form.ebSearchWord->isHidden());
    EXPECT_TRUE(form.cbSearchWord->isHidden());
    EXPECT_EQ(form.ebSearchWord->width(), 220);
    EXPECT_TRUE(form.cbKiten->isEnabled());
    EXPECT_TRUE(form.ppmSCRegular->isChecked());
    EXPECT_FALSE(form.ppmSCRegular->isEnabled());
    EXPECT_EQ(form.GetSearchOptions(), SearchFoldCase);
    EXPECT_EQ(form.tbtn97SearchConfig->toolTip(), QtText(u8"検索設定を行います．\n現在の設定： 大小"));
    EXPECT_EQ(form.ToolbarSearch->Caption(), QtText(u8"文字列検索"));
}

// The hook swallows double clicks; one in the box's list still picks its row.
TEST_F(SearchBarTest, ADoubleClickInTheBoxPicksThroughTheHook)
{
    OpenTexts({ { u8"部屋A", 0, 0 }, { u8"部屋B", 0, 0 }, { u8"部屋B", 5, 0 }, { u8"便所", 0, 0 } });
    form.cbSearchNarrow->setChecked(true);
    form.ebSearchWord->setFocus();
    form.ebSearchWord->setText(QtText(u8"部"));
    TfmCandidateBox& box = Bar().CandidateBox();
    ASSERT_TRUE(box.isVisible());
    ASSERT_EQ(CandidateList(Bar().Candidates()),
              (std::vector<std::pair<std::string, int>> { { "部屋A", 1 }, { "部屋B", 2 } }));
    QTreeView& list = *box.ListView1();
    const QRect row = list.visualRect(list.model()->index(1, 0));
    const QPoint point = list.viewport()->mapTo(&box, row.center());
    QWindow* window = box.windowHandle();
    ASSERT_NE(window, nullptr);
    QTest::mousePress(window, Qt::LeftButton, {}, point);
    QTest::mouseRelease(window, Qt::LeftButton, {}, point);
    QTest::mouseDClick(window, Qt::LeftButton, {}, point);
    QApplication::processEvents();
    EXPECT_EQ(form.ebSearchWord->text(), QtText(u8"部屋B"));
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(CandidateList(Bar().Candidates()), (std::vector<std::pair<std::string, int>> { { "部屋B", 2 } }));
}
