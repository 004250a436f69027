#include "scrivane/font_store.h"

#include <commdlg.h>

#include <cstring>
#include <string>

namespace scrivane {

const char* const ini_file_name = "scriv32.ini";

namespace {

std::string read_key(const std::string& key) {
  char buffer[64] = "";
  GetPrivateProfileStringA(font_section, key.c_str(), "", buffer, sizeof buffer, ini_file_name);
  return buffer;
}

}  // namespace

FontSettings load_font_settings() { return read_font_keys(read_key); }

bool save_font_settings(const FontSettings& font) {
  bool saved = true;
  for (const auto& key : font_keys(font)) {
    saved = WritePrivateProfileStringA(font_section, key.first.c_str(), key.second.c_str(),
                                       ini_file_name) && saved;
  }
  return saved;
}

LOGFONTA logfont_from_settings(const FontSettings& font) {
  LOGFONTA logfont = {};
  logfont.lfQuality = PROOF_QUALITY;
  if (!font.chosen()) {
    logfont.lfHeight = -13;
    logfont.lfWeight = FW_NORMAL;
    logfont.lfCharSet = DEFAULT_CHARSET;
    logfont.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(logfont.lfFaceName, "Courier New", LF_FACESIZE);
    return logfont;
  }
  logfont.lfHeight = font.height;
  logfont.lfWeight = font.weight;
  logfont.lfItalic = static_cast<BYTE>(font.italic);
  logfont.lfCharSet = static_cast<BYTE>(font.char_set);
  logfont.lfPitchAndFamily = static_cast<BYTE>(font.pitch_and_family);
  lstrcpynA(logfont.lfFaceName, font.face_name.c_str(), LF_FACESIZE);
  return logfont;
}

FontSettings settings_from_logfont(const LOGFONTA& logfont) {
  FontSettings font;
  font.height = logfont.lfHeight;
  font.weight = logfont.lfWeight;
  font.italic = logfont.lfItalic;
  font.char_set = logfont.lfCharSet;
  font.pitch_and_family = logfont.lfPitchAndFamily;
  font.face_name.assign(logfont.lfFaceName, strnlen(logfont.lfFaceName, LF_FACESIZE));
  return font;
}

bool choose_font(HWND owner, LOGFONTA& logfont) {
  LOGFONTA chosen = logfont;
  CHOOSEFONTA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &chosen;
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
  if (!ChooseFontA(&dialog)) return false;
  logfont = chosen;
  return true;
}

}  // namespace scrivane
