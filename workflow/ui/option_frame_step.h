// The option frames of the main window: the results frame beside the result
// grid, following its current unit, with both add buttons; the plant frame
// beside the plant grid with the basket button only. Each panel owns its
// frame model, the window's option checks over it and the view.
#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "workflow/main_window.h"
#include "workflow/option_steps.h"

class QTableWidget;

namespace brumalis {
class TFrm_ChResultGrid;
class TMainSession;
}

namespace brumalis::ui {

class TChillerUIForm;
class TOptionFrameView;
class TResultsPage;

class TOptionFramePanel final : public QWidget {
    Q_OBJECT

public:
    TOptionFramePanel(std::unique_ptr<TWiredOptionFrame> wired, QWidget* pParent);
    // The view goes before the model it shows.
    ~TOptionFramePanel() override;

    // The grid's current unit shown in the frame.
    void ShowCurrentUnit();
    TOptionFrameView& View() const { return *v_view; }
    TWiredOptionFrame& Wired() const { return *v_wired; }

private:
    std::unique_ptr<TWiredOptionFrame> v_wired;
    TOptionFrameView* v_view = nullptr;
};

// The results frame in the Results page's room, over the window's Settings
// model and its grid.
TOptionFramePanel& PutResultsOptionFrame(TChillerUIForm& window, TResultsPage& page, TMainSession& session);

// The frame follows the grid's current unit: on a new current cell and when
// the grid's page comes forward. Only another unit, data set or run shows
// it anew, so repainting the grid after a tick keeps the frame as it is.
void FollowGrid(TOptionFramePanel& panel, QTableWidget& gridView, TFrm_ChResultGrid& grid, TChillerUIForm& window,
                TChillerPage page, TMainSession& session);

// The plant frame in the Plant Builder page's room, over the session's
// plant; onPlantGridChanged repaints the plant grid after an option change.
// The page has it follow its grid (FollowGrid).
TOptionFramePanel& PutPlantOptionFrame(TChillerUIForm& window, QWidget& room, TMainSession& session,
                                       std::function<void()> onPlantGridChanged);

}  // namespace brumalis::ui
