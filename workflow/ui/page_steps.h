// The desktop program's own start-up steps, which make the pages' frames
// over the session and put them on the main window, each named and timed
// like every other step. The desktop program, its tests and the review
// pictures insert the same list, so all three start the same window.
#pragma once

namespace brumalis {
class TDesktopStart;
}

namespace brumalis::ui {

class TQtDesktopPresenter;

// Inserts the steps into the start's list; call before TDesktopStart::Start.
void AddPageSteps(TDesktopStart& start, TQtDesktopPresenter& presenter);

}  // namespace brumalis::ui
