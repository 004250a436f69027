// Small guards that give back what painting borrows: device contexts,
// selected objects, created objects and drawing modes.
#pragma once

#include <windows.h>

class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// Selects an object (none: nothing) and restores the previous one.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selected() {
    if (old_) SelectObject(dc_, old_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Deletes a created pen, brush or font.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  ~GdiObject() {
    if (object_) DeleteObject(object_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ get() const { return object_; }

 private:
  HGDIOBJ object_;
};

class TextColour {
 public:
  TextColour(HDC dc, COLORREF colour) : dc_(dc), old_(SetTextColor(dc, colour)) {}
  ~TextColour() { SetTextColor(dc_, old_); }
  TextColour(const TextColour&) = delete;
  TextColour& operator=(const TextColour&) = delete;

 private:
  HDC dc_;
  COLORREF old_;
};

class BackColour {
 public:
  BackColour(HDC dc, COLORREF colour) : dc_(dc), old_(SetBkColor(dc, colour)) {}
  ~BackColour() { SetBkColor(dc_, old_); }
  BackColour(const BackColour&) = delete;
  BackColour& operator=(const BackColour&) = delete;

 private:
  HDC dc_;
  COLORREF old_;
};

class BackMode {
 public:
  BackMode(HDC dc, int mode) : dc_(dc), old_(SetBkMode(dc, mode)) {}
  ~BackMode() { SetBkMode(dc_, old_); }
  BackMode(const BackMode&) = delete;
  BackMode& operator=(const BackMode&) = delete;

 private:
  HDC dc_;
  int old_;
};

class DrawMode {
 public:
  DrawMode(HDC dc, int mode) : dc_(dc), old_(SetROP2(dc, mode)) {}
  ~DrawMode() { SetROP2(dc_, old_); }
  DrawMode(const DrawMode&) = delete;
  DrawMode& operator=(const DrawMode&) = delete;

 private:
  HDC dc_;
  int old_;
};
