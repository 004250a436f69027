#include "twyndle/engine/ui_seam.h"

#include <atomic>

// The platform default, defined by the backend of the tree.
UiSeam& ui_seam_default();

namespace {
std::atomic<UiSeam*> installed{nullptr};
}

void ui_seam_install(UiSeam* seam) { installed.store(seam, std::memory_order_release); }

UiSeam& ui_seam() {
  UiSeam* current = installed.load(std::memory_order_acquire);
  return current ? *current : ui_seam_default();
}

MessageAnswer ui_message(const char* text, const char* title, MessageIcon icon, MessageButtons buttons,
                         bool owned_by_main_window) {
  MessageRequest request = {text ? text : "", title ? title : "", icon, buttons, owned_by_main_window};
  return ui_seam().message(request);
}
