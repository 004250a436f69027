// The copy dialog (template IDD_COPY_FILES): the destination, the source
// root (two radio buttons labelled with the roots) and which items to copy
// (the third check box names the chosen root, "Files only in %s").
#pragma once

#include "twyndle/engine/copy_files.h"

// True on OK with the settings changed, false on Cancel.
bool ask_copy_settings_dialog(const CompareList* list, CopySettings* settings);
