#pragma once

// TDrawingOpener: every way a drawing comes into the main window (the
// command line, the Open dialog, the update button, a drop) ends in
// FileOpen, which loads the file into the displayed document, sets the view
// to the drawing's stored range, brings the controls that mirror the
// drawing's options into line, sets the caption and redraws. It also reads
// the CAD program's settings file for the name of the character-reference
// file, and keeps the part "Files" of the settings file.

#include "ui/MainFeature.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class TStatusButtons;

class TDrawingOpener : public TMainFeature {
public:
    TDrawingOpener(TMainWindowHost& host, TStatusButtons& status_buttons);

    // Whether a path that names no file is reported to the user or ignored.
    enum class TMissingFile { Ignored, Reported };

    // 1 when the drawing was loaded and shown, 0 when the path was ignored
    // or refused.
    int FileOpen(const std::filesystem::path& path, TMissingFile missing = TMissingFile::Ignored);
    // The command line's first argument: a drawing, or the CAD program's
    // data file that names one. What the user named and cannot be opened is
    // reported.
    void OpenCommandLine(const std::string& argument);
    // Asks for a drawing and opens it.
    void ChooseAndOpen();
    // Reads the current drawing again; nothing when there is none.
    void Reopen();
    // Asks for a CAD settings file and reads it.
    void ChooseCadSettingsFile();
    // 1 when the CAD settings file was read, 0 when it was ignored.
    int ReadCadSettingsFile(const std::filesystem::path& path);

    // The drawing shown, UTF-8; empty before the first.
    const std::string& CurrentDrawingPath() const { return current_drawing_path_; }
    // The printed document's title, Shift-JIS: the drawing's folder, "$$$"
    // and its file name, as FileOpen sets it.
    const std::string& PrintTitle() const { return print_title_; }
    // A search hit names the print: the drawing's folder and one file-name
    // component made from the hit's Shift-JIS text; a text that leaves no
    // component gives the default title.
    void SetPrintTitleFromText(std::string_view sjis_text);
    void RestoreDefaultPrintTitle() { print_title_ = default_print_title_; }

    std::vector<TSettingsBlock> SettingsBlocks() override;

    // Brings the view options into line with a drawing just loaded, before
    // it is drawn.
    void SetDrawingLoaded(std::function<void()> drawing_loaded) { drawing_loaded_ = std::move(drawing_loaded); }
    // Paints the group and layer bars for the drawing just loaded.
    void SetBarsPainter(std::function<void()> paint_bars) { paint_bars_ = std::move(paint_bars); }
    // The search's candidates: emptied before a load, narrowed again for the
    // new drawing after it.
    void SetCandidateHooks(std::function<void()> empty_candidates, std::function<void()> narrow_again)
    {
        empty_candidates_ = std::move(empty_candidates);
        narrow_again_ = std::move(narrow_again);
    }

private:
    void ReportCannotOpen(const std::filesystem::path& path);
    // The file the user chose to open, starting in `folder`; empty when
    // cancelled.
    std::filesystem::path AskForFile(const std::filesystem::path& folder, const char* filter);
    void ShowOpenedDrawing(const std::filesystem::path& path);
    void LoadFiles(const TIniFile& file);
    void SaveFiles(TIniFile& file) const;

    TStatusButtons& status_buttons_;
    std::string current_drawing_path_;
    std::string print_title_;
    std::string default_print_title_;
    std::function<void()> drawing_loaded_;
    std::function<void()> paint_bars_;
    std::function<void()> empty_candidates_;
    std::function<void()> narrow_again_;
};
