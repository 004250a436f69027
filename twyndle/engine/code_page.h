// Double-byte awareness of ANSI texts. A lead byte starts a two-byte
// character whose second byte may look like a backslash or a capital
// letter; such trail bytes are never separators and never lower-cased.
// The Win32 backend asks the platform (IsDBCSLeadByteEx); the portable
// backend knows the lead-byte ranges of the common East Asian code pages.
#pragma once

// Chooses the code page for lead-byte tests: 0 = the system's ANSI code page
// (single-byte everywhere but Windows), or 932, 936, 949, 950. Set once
// before any compare runs.
void code_page_use(unsigned code_page);

bool is_lead_byte(unsigned char c);

// Lower-cases a NUL-terminated text in place, leaving trail bytes alone.
void text_lower(char* text);
