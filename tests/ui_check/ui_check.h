// Checks every window of the desktop program is held to, over any top-level
// widget: no Latin text in a Russian window outside the reviewed words, Tab
// reaches every enabled control in reading order, and no label or button is
// squeezed below its minimum size. Each answers its findings, one line each
// ("<object name>: <what>"), empty when the window passes.
#pragma once

#include <string>
#include <vector>

#include "localisation/glossary.h"

class QWidget;

namespace brumalis::testing::ui {

// The words a Russian window may show in Latin letters: the program's and
// the standards' names and the figures of merit. Model, refrigerant and
// brine names come from the catalogue, so a caller adds those it shows.
std::vector<std::string> ReviewedLatinWords();

// The shipped user-interface glossary.
const CTGlossary& ShippedInterfaceGlossary();

// Every text the user reads (titles, captions, items, headers, hints) with
// a word of Latin letters that is neither reviewed nor in extraAllowed.
std::vector<std::string> LatinTexts(const QWidget& window, const std::vector<std::string>& extraAllowed = {});

// Shows the window if needed and presses Tab from the first control in
// reading order until the focus comes round: every visible, enabled control
// that takes Tab focus must be reached, each after the one before it in
// reading order (rows top to bottom, left to right within a row).
std::vector<std::string> TabOrderProblems(QWidget& window);

// Labels and buttons narrower or lower than their minimum size hint, at the
// window's current size.
std::vector<std::string> SizeProblems(const QWidget& window);

// Shows the window and holds it to the three checks (Latin texts only when
// it is in Russian, with the catalogue's words the window shows), as a
// test's expectations; then closes it.
void ExpectWindowPasses(QWidget& window, bool bRussian, const std::vector<std::string>& extraAllowed = {});

}  // namespace brumalis::testing::ui
