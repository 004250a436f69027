// Command 127, copy files: copies the files of chosen compare items from
// one root into a directory, on a worker thread, after the copy dialog.
#pragma once

#include "twyndle/engine/copy_files.h"

void copy_files_command();

// The copy dialog: the destination, the source root (left or right) and
// which items to copy. True on OK with the settings changed, false on Cancel.
bool ask_copy_settings_dialog(const CompareList* list, CopySettings* settings);
