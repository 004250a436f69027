// Command 127, copy files: copies the files of chosen compare items from
// one root into a directory, on a worker thread, after the copy dialog.
#pragma once

// With no compare list, "Please create a diff list first"; while a run is
// busy, the busy message.
void copy_files_command();
