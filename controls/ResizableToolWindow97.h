#pragma once

// TToolWindow97: the tool window with a free client area. It does not
// arrange its controls; it keeps a client size of its own (the bar size),
// which the user changes by sizing it floating and the program through the
// client-area operations, and shows that size plus the frame of its state
// (docked, a row may make it thicker, and a full-size one spans its dock).

#include "controls/ToolWindow97.h"

class TToolWindow97 : public TCustomToolWindow97 {
    Q_OBJECT
public:
    explicit TToolWindow97(QWidget* parent = nullptr);

    int MinClientWidth() const { return min_client_width_; }
    void SetMinClientWidth(int width) { min_client_width_ = width; }
    int MinClientHeight() const { return min_client_height_; }
    void SetMinClientHeight(int height) { min_client_height_ = height; }

    // The client size while placed (docked or floating), else the whole
    // window's.
    int ClientAreaWidth() const;
    int ClientAreaHeight() const;
    void SetClientAreaSize(int width, int height);
    void SetClientAreaWidth(int width) { SetClientAreaSize(width, ClientAreaHeight()); }
    void SetClientAreaHeight(int height) { SetClientAreaSize(ClientAreaWidth(), height); }

    QSize GetMinimumSize() const override { return { min_client_width_, min_client_height_ }; }
    int GetBarSize(TDockType dock_type) const override;
    QSize OrderControls(bool can_move_controls, TDockType previous_dock_type, TDock97* docking_to) override;
    void SizeChanging(QSize new_size) override;
    // "ClientWidth" and "ClientHeight"; read back only when Resizable.
    void ReadPositionData(const TPositionReadIntProc& read_int, const TPositionReadStringProc& read_string) override;
    void WritePositionData(const TPositionWriteIntProc& write_int,
                           const TPositionWriteStringProc& write_string) override;

private:
    bool Placed() const { return DockedTo() != nullptr || Floating(); }

    int min_client_width_ = 32;
    int min_client_height_ = 32;
    int bar_width_ = 32;
    int bar_height_ = 32;
};
