#pragma once

#include <juce_core/juce_core.h>

#include <string>

/** The ".quillet" document file, without any GUI: what a document holds, the
    bytes it is written as, the reading of such bytes back, and the splitting of
    a plain text file that is imported as a new document.

    The file is UTF-8 text of fixed lines (two-space indentation, one line feed
    each); each stored text is escaped for the five XML-special characters only,
    so a multi-line text stays multi-line inside its attribute value:

        <?xml version="1.0" encoding="UTF-8"?>
        <quillet>
          <text id="1" data="..."></text>          (ids 1, 2, 3: the idea boxes)
          <history id="0" data="..."></history>   (one per entry, ids from 0)
          <rule id="0" data="..."></rule>         (one per rule, ids from 0)
          <editor data="..."></editor>            (the lyric)
        </quillet>
*/
class quilletDocumentFile
{
public:
    /** Everything one workspace saves. After Read(), the found flags say which
        single items the file held: reading adds to a workspace, so an item the
        file lacks must leave the workspace's own value alone. */
    struct Content
    {
        juce::String ideaTexts[3];
        bool ideaTextFound[3] = {false, false, false};
        juce::StringArray history;
        juce::StringArray rules;
        juce::String lyricText;
        bool lyricFound = false;
    };

    /** The whole file as bytes. */
    static std::string Write (const Content& content);

    /** Reads a whole file into `content`, adding to what it holds. Each element
        kind is scanned from the buffer's start, so the kinds may stand in any
        order; elements without their id or data attribute are skipped, and an
        element that is never closed ends the scan of its kind.

        data[numBytes] must be readable and zero (MyFileReader's buffer is), since
        the attribute scans stop at that zero byte. */
    static void Read (const unsigned char* data, int numBytes, Content& content);

    /** A plain text file taken apart for import: its paragraphs (runs of lines
        with words, parted by lines without words) and all its lines with words,
        each followed by a line feed. Punctuation is stripped from the lines. */
    struct ImportedText
    {
        juce::StringArray paragraphs;
        juce::String allLines;
    };

    static ImportedText SplitImportedText (const juce::String& text);

    /** UTF-8 bytes as a String. Invalid sequences (stray or truncated bytes,
        overlong forms, surrogates, values above U+10FFFF) and zero bytes each
        become U+FFFD, so that damaged text is still read as far as it can be. */
    static juce::String StringFromUtf8Bytes (const unsigned char* data, size_t numBytes);

    /** A text file's bytes as a String: UTF-16 with a byte-order mark as such,
        anything else as UTF-8 (a leading byte-order mark dropped). */
    static juce::String StringFromTextFileBytes (const void* data, size_t numBytes);
};
