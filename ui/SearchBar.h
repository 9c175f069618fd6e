#pragma once

// TSearchBar: the text search toolbar. A search marks every text of the
// displayed drawing that the word finds (the document's own text search),
// counts the hits and then steps forward or backward through them; a step
// can centre the view on the hit and move the print frame so that the hit
// becomes its reference point. In narrowing mode the word is typed into a
// plain edit and the distinct texts that begin with it are offered with
// their counts in the candidate box; otherwise it is typed into a combo box
// whose history is saved to and loaded from text files or taken from the
// point names of SIMA coordinate files.
//
// The controls hold Unicode; the word reaches the document as Shift-JIS. A
// word with a character Shift-JIS cannot hold finds nothing and narrows to
// nothing.
//
// A search works on the selection marks of the displayed drawing: a new
// search clears them and marks the hits, a step reads them. Whatever clears
// the selection makes the next click a new search.

#include "core/CountString.h"
#include "ui/MainFeature.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class TDrawingOpener;
class TfmCandidateBox;
class TPointingServices;
class TTipBox;
struct TCandidateBoxActions;

class TSearchBar : public QObject, public TMainFeature {
    Q_OBJECT
public:
    TSearchBar(TMainWindowHost& host, TTipBox& tip_box, TPointingServices& pointing, TDrawingOpener& opener);
    ~TSearchBar() override;

    // The word controls' keys and the combo box's exit come here; the
    // form connects the other controls to its handlers.
    void InstallKeyFilters();

    // --- The handlers ---
    void cbSearchNarrowClick();
    void cbPanViewClick() { UpdateSearchPanControls(); }
    void cbPanPrtClick() { UpdateSearchPanControls(); }
    void cbTargetLayerClick();
    void cbKitenClick() { FocusSearchWord(); }
    // A search click; Enter in a word control counts as forward.
    void btnSearchClick(bool backward);
    void cbSearchWordChange();
    void ebSearchWordChange();
    void cbSearchWordExit();
    // True when the key was consumed.
    bool ebSearchWordKeyPress(QKeyEvent* event);
    bool ebSearchWordKeyDown(QKeyEvent* event);
    void SearchHistorySaveClick();
    void SearchHistoryLoadClick();
    void SearchHistoryClearClick();
    // Any option item; Qt has toggled its check mark already.
    void ppmSCSortText2Click();
    // Esc reached the main window: the candidate box closes.
    void DialogKey(int key);

    // --- What other features call ---
    // Refills the candidate list for the search word; returns its length.
    int NarrowCandidates();
    // Narrows again when the bar is in narrowing mode.
    void NarrowAgainIfNarrowing();
    // Forgets the candidates of the drawing being replaced.
    void EmptyCandidates();
    void SearchClear();
    void ApplySearchNarrowMode();
    void UpdateSearchPanControls();
    void UpdateSearchButtons();
    void FocusSearchWord();
    QString BuildSearchConfigHint();
    int GetSearchOptions();
    // The picked candidate (Shift-JIS) into the narrowing edit, whose change
    // handler narrows again.
    void SetSearchWord(const std::string& sjis_word);
    // What the mouse hook does with the candidate box.
    TCandidateBoxActions CandidateBoxActions();

    std::vector<TSettingsBlock> SettingsBlocks() override;

    // --- State, for the tests and the benchmark ---
    const QString& SearchWord() const { return word_; }
    const std::vector<TCountString>& Candidates() const { return candidates_; }
    int SelectedCandidate() const { return selected_candidate_; }
    int HitCount() const { return hit_count_; }
    int HitNumber() const { return hit_number_; }
    bool NewSearchPending() const { return new_search_; }
    TfmCandidateBox& CandidateBox() { return *candidate_box_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NewSearch();
    void StepToHit(bool backward);
    // The step's hit: the element with the marks' hit number; none when fewer
    // elements carry the mark than the number asks for.
    const class TZhdElem* MarkedElement(int number) const;
    // Shows the bar's caption, and as a tip when the bar is docked.
    void ShowCaption(const QString& caption);
    // The option items enabled by the regular-expression item's rule.
    void EnableOptionItems();
    void CloseCandidateBox();
    // The box closed and the focus back in the narrowing edit.
    void CloseCandidateBoxToEdit();
    void ShowCandidateBoxOrRefocus();
    void SaveSearchKeys(class TIniFile& file) const;
    void LoadSearchKeys(const class TIniFile& file);

    TTipBox& tip_box_;
    TPointingServices& pointing_;
    TDrawingOpener& opener_;
    QString word_;
    std::vector<TCountString> candidates_;
    int selected_candidate_ = 0;
    bool new_search_ = false;
    int hit_count_ = 0;
    int hit_number_ = 0;
    std::unique_ptr<TfmCandidateBox> candidate_box_;
};
