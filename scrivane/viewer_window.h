// A read-only view of one text file: a top-level window titled with the
// file's path, filled by an owner-drawn list with one item per line (the
// list holds no data of its own, so a file of a million lines costs no more
// than its line index). Each item shows the line number and the line's text.
//
// The window deletes itself when it is destroyed and then tells its owner
// through the closed callback.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "scrivane/text_lines.h"
#include "scrivane/window_thunk.h"

namespace scrivane {

class ViewerWindow {
 public:
  static const char* const class_name;  // "ScrivaneViewer"

  // Creates and shows the window with the lines of path; nullptr on failure
  // (the lines are then dropped).
  static ViewerWindow* open(HINSTANCE instance, const std::string& path, TextLines lines,
                            HFONT font, std::function<void(ViewerWindow*)> closed);

  const std::string& path() const { return path_; }
  HWND hwnd() const { return hwnd_; }

  // Shows new contents of the file (for a second request for it).
  void replace_lines(TextLines lines);
  // Selects the line (1-based) and scrolls it into view, a third of the way
  // down; a number past the end selects the last line, 0 selects none.
  void go_to_line(unsigned long line_number);
  void set_font(HFONT font);
  // Restores the window when minimised and brings it to the front.
  void bring_to_front();

 private:
  template <class T>
  friend LRESULT CALLBACK window_thunk(HWND, UINT, WPARAM, LPARAM);

  ViewerWindow(std::string path, TextLines lines, HFONT font,
               std::function<void(ViewerWindow*)> closed);
  static bool register_class(HINSTANCE instance);

  void attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (adopted_) *adopted_ = true;
  }
  void detach();
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
  bool create_list();
  void measure_font();
  void fill_list();
  void draw_line(const DRAWITEMSTRUCT& item) const;
  int visible_lines() const;

  std::string path_;
  TextLines lines_;
  HFONT font_;                // not owned
  int line_height_ = 16;      // pixels per item
  int char_width_ = 8;        // average character width in pixels
  int gutter_width_ = 0;      // pixels for the line numbers
  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
  std::function<void(ViewerWindow*)> closed_;
  bool* adopted_ = nullptr;   // set while open() creates the window
};

}  // namespace scrivane
