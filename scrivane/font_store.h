// The display font: the "Font" section of scriv32.ini (a bare file name, so
// the profile functions keep it in the Windows directory, where twyndle reads
// it too), the font description made from it, and the font dialog.
#pragma once

#include <windows.h>

#include "scrivane/font_settings.h"

namespace scrivane {

extern const char* const ini_file_name;  // "scriv32.ini"

FontSettings load_font_settings();
// Writes all six keys; false when any of them could not be written.
bool save_font_settings(const FontSettings& font);

// The description of the stored font, or of the viewer's default font (a
// fixed-pitch face) when none has been chosen.
LOGFONTA logfont_from_settings(const FontSettings& font);
FontSettings settings_from_logfont(const LOGFONTA& logfont);

// Shows the font dialog starting at logfont; true with logfont changed when
// the user chose a font, false when cancelled.
bool choose_font(HWND owner, LOGFONTA& logfont);

}  // namespace scrivane
