// The desktop's file dialog answering the workflow's file requests.
#pragma once

#include "workflow/project_file.h"

class QWidget;

namespace brumalis::ui {

// A modal QFileDialog over pParent with the request's title, filters and
// default suffix; an existing file for opening, any name for saving.
TFileDialogFunc QtFileDialog(QWidget* pParent);

}  // namespace brumalis::ui
