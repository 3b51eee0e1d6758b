#include "quilletDocumentFile.h"

#include "BwXml.h"
#include "StringToLineAnalyser.h"

#include <cstring>
#include <utility>

namespace
{
const char* const declarationLine = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char* const rootStartLine = "<quillet>\n";
const char* const rootEndLine = "</quillet>\n";
const char* const idDataSeparator = "\" data=\"";

const char* const idPattern = "id=\"";
const char* const dataPattern = "data=\"";

void appendEscaped (std::string& out, const juce::String& text)
{
    const BwString escaped = BwXml_Data_TranslateToEscaped (text.toRawUTF8());
    out.append (escaped.c_str(), (size_t)escaped.GetLength());
}

// One "<kind id="k" data="..."></kind>" line per text, ids counted from 0.
void appendNumberedElements (std::string& out, const juce::StringArray& texts, const char* startText,
                             const char* endText)
{
    for (int k = 0; k < texts.size(); ++k)
    {
        out += startText;
        out += std::to_string (k);
        out += idDataSeparator;
        appendEscaped (out, texts[k]);
        out += endText;
    }
}

// Where the next element of a name starts: the next "<" at or behind `from` that the opening text ("<" and the name,
// any letter case) matches, or -1. Only a "<" can start a match, and the scanner steps onto every "<" (it is never
// part of a longer UTF-8 sequence), so jumping from "<" to "<" finds what a search from the buffer's start would find,
// without stepping through every byte of the other kinds' elements.
int findElementStart (const unsigned char* data, int numBytes, int from, const BwString& opening)
{
    while (from < numBytes)
    {
        const auto* next =
            static_cast<const unsigned char*> (std::memchr (data + from, '<', (size_t)(numBytes - from)));

        if (next == nullptr)
            return -1;

        const int at = (int)(next - data);
        const int available = std::min (numBytes - at, opening.GetLength());

        if (bw_utf8_strnstri_bytes (next, available, opening.Get(), opening.GetLength()) == next)
            return at;

        from = at + 1;
    }

    return -1;
}

// The opening text of an element: "<" and its name.
BwString openingText (const char* name)
{
    BwString opening ("<");
    opening.Append (reinterpret_cast<const unsigned char*> (name), (int)std::strlen (name));
    return opening;
}

// The next complete element of the name at or behind `from`, copied into `block`; its start, or -1 when there is none
// or the next one is never closed.
int findNextElement (const unsigned char* data, int numBytes, int from, const char* name, BwString& block)
{
    const int start = findElementStart (data, numBytes, from, openingText (name));

    if (start < 0 || BwXml_FindBlockGivenName (data + start, numBytes - start, name, block) != 0 || block.IsEmpty())
        return -1;

    return start;
}

// Calls use (block) for every complete element of the name, in file order, each search continuing behind the
// previous element; an element that is never closed ends the scan.
template <typename UseBlock>
void forEachElement (const unsigned char* data, int numBytes, const char* name, UseBlock&& use)
{
    BwString block;

    for (int start = findNextElement (data, numBytes, 0, name, block); start >= 0;
         start = findNextElement (data, numBytes, start + block.GetLength(), name, block))
        use (block);
}

struct AttributeValue
{
    const unsigned char* start = nullptr;
    int length = 0;
};

bool findAttribute (const BwString& block, const char* pattern, AttributeValue& value)
{
    int length = 0;
    const auto* start =
        BwXml_GetAttribute (block.Get(), block.GetLength(), pattern, (int)std::strlen (pattern), &length);

    if (start == nullptr)
        return false;

    value = {start, length};
    return true;
}

juce::String unescapedText (const AttributeValue& value)
{
    const BwString text = BwXml_Data_TranslateToUnescaped (value.start, value.length);
    return quilletDocumentFile::StringFromUtf8Bytes (text.Get(), (size_t)text.GetLength());
}

// The id as the C library's atoi reads it (leading white space, an optional sign, decimal digits; none gives 0), but
// bounded by the value's length and saturating instead of overflowing. Only small ids mean anything.
int idValue (const AttributeValue& value)
{
    const auto* p = value.start;
    const auto* end = value.start + value.length;

    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;

    bool negative = false;

    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';

    long long number = 0;

    for (; p < end && *p >= '0' && *p <= '9'; ++p)
        number = std::min (number * 10 + (*p - '0'), 1000000000LL);

    return (int)(negative ? -number : number);
}

//==============================================================================
// Length of the well-formed UTF-8 sequence at p, or 0 if there is none (zero bytes count as not well-formed here,
// since a String cannot hold them).
size_t wellFormedSequenceLength (const unsigned char* p, size_t remaining)
{
    const unsigned int lead = p[0];

    if (lead >= 0x01 && lead < 0x80)
        return 1;

    size_t length = 0;
    unsigned int lowestSecond = 0x80, highestSecond = 0xbf;

    if (lead >= 0xc2 && lead <= 0xdf)
        length = 2;
    else if (lead >= 0xe0 && lead <= 0xef)
        length = 3;
    else if (lead >= 0xf0 && lead <= 0xf4)
        length = 4;
    else
        return 0;

    // The second byte's range excludes overlong forms, surrogates and values above U+10FFFF.
    if (lead == 0xe0)
        lowestSecond = 0xa0;
    else if (lead == 0xed)
        highestSecond = 0x9f;
    else if (lead == 0xf0)
        lowestSecond = 0x90;
    else if (lead == 0xf4)
        highestSecond = 0x8f;

    if (remaining < length || p[1] < lowestSecond || p[1] > highestSecond)
        return 0;

    for (size_t i = 2; i < length; ++i)
        if ((p[i] & 0xc0) != 0x80)
            return 0;

    return length;
}
} // namespace

//==============================================================================
std::string quilletDocumentFile::Write (const Content& content)
{
    size_t estimate = 256;

    for (auto& text : content.ideaTexts)
        estimate += text.getNumBytesAsUTF8() + 40;

    for (auto& text : content.history)
        estimate += text.getNumBytesAsUTF8() + 48;

    for (auto& text : content.rules)
        estimate += text.getNumBytesAsUTF8() + 40;

    estimate += content.lyricText.getNumBytesAsUTF8();

    std::string out;
    out.reserve (estimate + estimate / 8);

    out += declarationLine;
    out += rootStartLine;

    for (int i = 0; i < 3; ++i)
    {
        out += "  <text id=\"" + std::to_string (i + 1) + "\" data=\"";
        appendEscaped (out, content.ideaTexts[i]);
        out += "\"></text>\n";
    }

    appendNumberedElements (out, content.history, "  <history id=\"", "\"></history>\n");
    appendNumberedElements (out, content.rules, "  <rule id=\"", "\"></rule>\n");

    out += "  <editor data=\"";
    appendEscaped (out, content.lyricText);
    out += "\"></editor>\n";

    out += rootEndLine;
    return out;
}

void quilletDocumentFile::Read (const unsigned char* data, int numBytes, Content& content)
{
    if (data == nullptr || numBytes <= 0)
        return;

    forEachElement (data, numBytes, "text",
                    [&content] (const BwString& block)
                    {
                        AttributeValue id, value;

                        if (!findAttribute (block, idPattern, id) || !findAttribute (block, dataPattern, value))
                            return;

                        const int box = idValue (id);

                        if (box >= 1 && box <= 3)
                        {
                            content.ideaTexts[box - 1] = unescapedText (value);
                            content.ideaTextFound[box - 1] = true;
                        }
                    });

    // History and rule ids only have to be there; their values are not used.
    forEachElement (data, numBytes, "history",
                    [&content] (const BwString& block)
                    {
                        AttributeValue id, value;

                        if (findAttribute (block, idPattern, id) && findAttribute (block, dataPattern, value))
                            content.history.add (unescapedText (value));
                    });

    forEachElement (data, numBytes, "rule",
                    [&content] (const BwString& block)
                    {
                        AttributeValue id, value;

                        if (findAttribute (block, idPattern, id) && findAttribute (block, dataPattern, value))
                            content.rules.add (unescapedText (value));
                    });

    // Only the first editor element counts.
    BwString editorBlock;
    AttributeValue lyric;

    if (findNextElement (data, numBytes, 0, "editor", editorBlock) >= 0 &&
        findAttribute (editorBlock, dataPattern, lyric))
    {
        content.lyricText = unescapedText (lyric);
        content.lyricFound = true;
    }
}

//==============================================================================
quilletDocumentFile::ImportedText quilletDocumentFile::SplitImportedText (const juce::String& text)
{
    StringToLineAnalyser analyser;
    analyser.SetText (text, true);

    ImportedText result;
    std::string paragraph, allLines;
    bool seenWords = false, afterWordlessLine = false;

    for (int i = 0; i < analyser.m_lines.size(); ++i)
    {
        if (analyser.mp_lineWords[i].isEmpty())
        {
            // Wordless lines before the first line with words are skipped; later ones end a paragraph.
            afterWordlessLine = seenWords;
            continue;
        }

        if (afterWordlessLine && !paragraph.empty())
        {
            result.paragraphs.add (juce::String::fromUTF8 (paragraph.data(), (int)paragraph.size()));
            paragraph.clear();
        }

        seenWords = true;
        afterWordlessLine = false;

        const char* line = analyser.m_lines[i].toRawUTF8();
        paragraph.append (line).append (1, '\n');
        allLines.append (line).append (1, '\n');
    }

    if (!paragraph.empty())
        result.paragraphs.add (juce::String::fromUTF8 (paragraph.data(), (int)paragraph.size()));

    result.allLines = juce::String (juce::CharPointer_UTF8 (allLines.data()),
                                    juce::CharPointer_UTF8 (allLines.data() + allLines.size()));
    return result;
}

//==============================================================================
juce::String quilletDocumentFile::StringFromUtf8Bytes (const unsigned char* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0)
        return {};

    // Usually the bytes are well-formed and are taken as they are; only damaged text is copied and mended.
    std::string mended;
    bool mending = false;
    size_t i = 0;

    while (i < numBytes)
    {
        const size_t length = wellFormedSequenceLength (data + i, numBytes - i);

        if (length == 0 && !mending)
        {
            mended.reserve (numBytes + 16);
            mended.assign (reinterpret_cast<const char*> (data), i);
            mending = true;
        }

        if (mending)
        {
            if (length == 0)
                mended.append ("\xef\xbf\xbd"); // U+FFFD for one bad byte
            else
                mended.append (reinterpret_cast<const char*> (data + i), length);
        }

        i += length == 0 ? 1 : length;
    }

    const char* start = mending ? mended.data() : reinterpret_cast<const char*> (data);
    const size_t size = mending ? mended.size() : numBytes;
    return juce::String (juce::CharPointer_UTF8 (start), juce::CharPointer_UTF8 (start + size));
}

juce::String quilletDocumentFile::StringFromTextFileBytes (const void* data, size_t numBytes)
{
    const auto* bytes = static_cast<const unsigned char*> (data);

    if (bytes == nullptr || numBytes == 0)
        return {};

    const bool utf16 =
        numBytes >= 2 && ((bytes[0] == 0xff && bytes[1] == 0xfe) || (bytes[0] == 0xfe && bytes[1] == 0xff));

    if (utf16 && numBytes <= (size_t)std::numeric_limits<int>::max())
        return juce::String::createStringFromData (data, (int)numBytes);

    if (numBytes >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
        return StringFromUtf8Bytes (bytes + 3, numBytes - 3);

    return StringFromUtf8Bytes (bytes, numBytes);
}
