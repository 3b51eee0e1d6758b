#pragma once

// The system clipboard (on Linux the X11 CLIPBOARD selection), as UTF-16 plain text.

// Puts the text on the clipboard. 0 on success; -1 for an empty text (the clipboard is left alone); -108 if the
// text cannot be converted (not valid UTF-8); -25135 if the clipboard does not hold the text afterwards.
int bw_clipboard_copytexttoclipboard (const unsigned char* text);
inline int bw_clipboard_copytexttoclipboard (const char* text)
{
    return bw_clipboard_copytexttoclipboard (reinterpret_cast<const unsigned char*> (text));
}

// The clipboard's text as a new zero-terminated UTF-8 buffer (calloc; free() it) with its byte length, or null if
// the clipboard holds no text.
unsigned char* bw_clipboard_gettextfromclipboard (int& lenBytes);
