// Without windows the engine talks to the user through the console.
#include "twyndle/engine/console_ui.h"

UiSeam& ui_seam_default() {
  static ConsoleUi ui;
  return ui;
}
