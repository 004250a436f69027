#include "twyndle/app/app_strings.h"

#include <windows.h>

#include "twyndle/app/app_state.h"
#include "twyndle/res/resource.h"

// The text up to its terminator: what LoadStringA returns as the length
// is not always the number of bytes it wrote (under Wine it counts the
// characters of the wide resource text, so a text with umlauts lost its
// last bytes).
std::string load_text(unsigned id) {
  char text[512] = "";
  if (LoadStringA(app.instance, id, text, sizeof text) <= 0) return std::string();
  text[sizeof text - 1] = '\0';
  return std::string(text);
}

std::string button_text(ButtonText button) {
  switch (button) {
    case ButtonText::next: return app.use_german ? load_text(IDS_NEXT_BUTTON_DE) : "(F4) Next-> ";
    case ButtonText::previous: return app.use_german ? load_text(IDS_PREVIOUS_BUTTON_DE) : " <-Prev (F3)";
    case ButtonText::print: return app.use_german ? load_text(IDS_PRINT_BUTTON_DE) : "Print (^p)";
    case ButtonText::save: return app.use_german ? load_text(IDS_SAVE_BUTTON_DE) : "Save";
  }
  return std::string();
}

std::string open_in_host_question() {
  return app.use_german ? load_text(IDS_OPEN_IN_HOST) : "Should the output be opened in Scrivane?";
}

std::string no_change_text(bool forward) {
  if (app.use_german) return load_text(forward ? IDS_NO_MORE_CHANGES_DE : IDS_NO_PREVIOUS_CHANGES_DE);
  return forward ? "No More Changes" : "No Previous Changes";
}
