// The program's user texts: those of the string table (5000-5014), and
// the few that come in German when the host asks for them.
#pragma once

#include <string>

// A string-table text; empty when there is none.
std::string load_text(unsigned id);

enum class ButtonText { next, previous, print, save };

// "(F4) Next-> ", " <-Prev (F3)", "Print (^p)", "Save", or the German texts.
std::string button_text(ButtonText button);
// "No More Changes" / "No Previous Changes", or the German texts.
std::string no_change_text(bool forward);
// The question after the listing is written: whether the host should open
// it, in English or, when the host asks for them, in German.
std::string open_in_host_question();
