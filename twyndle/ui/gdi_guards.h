// Small guards that give back what painting borrows: device contexts,
// selected objects, created objects and drawing modes. twyndle's table and
// status bar use them, and so do scrivane's viewers.
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

// Sets one drawing attribute of a device context (the text or background
// colour, the background mode, the drawing mode) and restores the old one.
template <typename Value, Value(WINAPI* set)(HDC, Value)>
class DcSetting {
 public:
  DcSetting(HDC dc, Value value) : dc_(dc), old_(set(dc, value)) {}
  ~DcSetting() { set(dc_, old_); }
  DcSetting(const DcSetting&) = delete;
  DcSetting& operator=(const DcSetting&) = delete;

 private:
  HDC dc_;
  Value old_;
};

using TextColour = DcSetting<COLORREF, SetTextColor>;
using BackColour = DcSetting<COLORREF, SetBkColor>;
using BackMode = DcSetting<int, SetBkMode>;
using DrawMode = DcSetting<int, SetROP2>;
