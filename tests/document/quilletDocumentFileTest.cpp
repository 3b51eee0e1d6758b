// The ".quillet" format without any GUI: the exact bytes written, reading back whatever the damage, and the
// splitting of an imported text file.
#include "quilletDocumentFile.h"

#include <gtest/gtest.h>

namespace
{
using Content = quilletDocumentFile::Content;
const std::string bad = "\xef\xbf\xbd"; // U+FFFD in UTF-8

Content read (const std::string& bytes, Content content = {})
{
    // c_str() has the zero byte behind the data that Read() wants, as a whole-file buffer has.
    quilletDocumentFile::Read (reinterpret_cast<const unsigned char*> (bytes.c_str()), (int)bytes.size(), content);
    return content;
}

/** What a content holds, one "kind=text" item each, in the order it is written. */
std::vector<std::string> itemsOf (const Content& content)
{
    std::vector<std::string> items;
    for (int i = 0; i < 3; ++i)
        if (content.ideaTextFound[i])
            items.push_back ("text" + std::to_string (i + 1) + "=" + content.ideaTexts[i].toStdString());
    for (auto& text : content.history)
        items.push_back ("history=" + text.toStdString());
    for (auto& text : content.rules)
        items.push_back ("rule=" + text.toStdString());
    if (content.lyricFound)
        items.push_back ("editor=" + content.lyricText.toStdString());
    return items;
}

bool startsWith (const juce::StringArray& whole, const juce::StringArray& part)
{
    return part.size() <= whole.size() && std::equal (part.begin(), part.end(), whole.begin());
}
} // namespace

TEST (DocumentFileWrite, FixedLinesWithOnlyTheFiveCharactersEscapedAndIdsCountedPerKind)
{
    Content content;
    content.ideaTexts[1] = juce::String::fromUTF8 ("x\ty \xc3\xa9");
    content.history.add ("a\"b&c'd<e>f\r\ng");
    content.history.add ("two");
    content.rules.add ("1 2");
    content.lyricText = "line one\nline two";

    // Tabs, line breaks and non-ASCII bytes pass unchanged; the lyric's line break splits its element over two lines.
    EXPECT_EQ (quilletDocumentFile::Write (content),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quillet>\n"
               "  <text id=\"1\" data=\"\"></text>\n"
               "  <text id=\"2\" data=\"x\ty \xc3\xa9\"></text>\n"
               "  <text id=\"3\" data=\"\"></text>\n"
               "  <history id=\"0\" data=\"a&quot;b&amp;c&apos;d&lt;e&gt;f\r\ng\"></history>\n"
               "  <history id=\"1\" data=\"two\"></history>\n"
               "  <rule id=\"0\" data=\"1 2\"></rule>\n"
               "  <editor data=\"line one\nline two\"></editor>\n"
               "</quillet>\n");
}

TEST (DocumentFileRead, EverythingComesBackAndEveryTruncationReadsOnlyWhatIsComplete)
{
    Content full;
    full.ideaTexts[0] = juce::String::fromUTF8 ("He said \"stop\" & left\r\nthe 'room' <now> & then\ttabbed");
    full.ideaTexts[2] =
        juce::String::fromUTF8 ("caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d \xf0\x9f\x8e\xb5 \xe6\x97\xa5");
    full.history =
        juce::StringArray ("first line\nsecond, \"quoted\" line\n", "", "&amp; stays &#65;", "a\r\nb\rc\n\n");
    full.rules = juce::StringArray ("4 4 4 4", "4 5 4 5", "", "6 6");
    full.lyricText = "one two three four,\nfive six seven eight.\n";
    full.ideaTextFound[0] = full.ideaTextFound[1] = full.ideaTextFound[2] = full.lyricFound = true;

    const std::string bytes = quilletDocumentFile::Write (full);
    EXPECT_EQ (itemsOf (read (bytes)), itemsOf (full));

    for (size_t length = 0; length <= bytes.size(); ++length)
    {
        // An exactly sized heap copy, so that AddressSanitizer sees any read past the zero byte.
        std::unique_ptr<unsigned char[]> copy (new unsigned char[length + 1]);
        std::memcpy (copy.get(), bytes.data(), length);
        copy[length] = 0;
        Content part;
        quilletDocumentFile::Read (copy.get(), (int)length, part);

        ASSERT_TRUE (startsWith (full.history, part.history) && startsWith (full.rules, part.rules)) << length;
        ASSERT_TRUE (!part.lyricFound || part.lyricText == full.lyricText) << length;
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE (!part.ideaTextFound[i] || part.ideaTexts[i] == full.ideaTexts[i]) << length;
    }
}

TEST (DocumentFileRead, DamagedOrLooseElementsAreSkippedOrReadAsFarAsTheyGo)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // Elements without id or data are skipped.
        {"<quillet><history id=\"0\" data=\"kept 1\"></history><history id=\"1\"></history>"
         "<history data=\"no id\"></history><history id=\"3\" data=\"kept 2\"></history><rule data=\"9 9\"></rule>"
         "<rule id=\"1\" data=\"3 3\"></rule><text data=\"no id\"></text><text id=\"2\"></text><editor></editor>",
         {"history=kept 1", "history=kept 2", "rule=3 3"}},
        // An element never closed ends only the scan of its kind.
        {"<history id=\"0\" data=\"before\"></history><rule id=\"0\" data=\"2 2\"></rule>"
         "<history id=\"1\" data=\"never closed\"><rule id=\"1\" data=\"3 3\"></rule>"
         "<text id=\"1\" data=\"idea\"></text><editor data=\"lyric\"></editor>",
         {"text1=idea", "history=before", "rule=2 2", "rule=3 3", "editor=lyric"}},
        // Ids are read as numbers, only 1 to 3 count for texts and a later one wins; names and entities in any case;
        // only the first editor counts.
        {"<text id=\" 2\" data=\"two\"></text><text id=\"+3x\" data=\"three\"></text><text id=\"0\" data=\"0\"></text>"
         "<text id=\"4\" data=\"4\"></text><text id=\"-1\" data=\"-1\"></text>"
         "<text id=\"99999999999999999999\" data=\"huge\"></text>"
         "<TEXT ID=\"1\" DATA=\"&QUOT;caps&Amp;\"></TEXT><text id=\"2\" data=\"two again\"></text>"
         "<editor data=\"first\"></editor><editor data=\"second\"></editor>",
         {"text1=\"caps&", "text2=two again", "text3=three", "editor=first"}},
        // Each byte that does not begin a well-formed UTF-8 sequence is one U+FFFD: a stray 0xff, a lone continuation
        // byte, an overlong "/", an encoded surrogate, a cut sequence; a lead byte at the very end ends the element.
        {"<history id=\"0\" data=\"a\xff"
         "b\x80"
         "c\xc0\xaf"
         "d\xed\xa0\x80"
         "e\xe6\x97\"></history><history id=\"1\" data=\"after\"></history><text id=\"1\" data=\"end\xf0",
         {"history=a" + bad + "b" + bad + "c" + bad + bad + "d" + bad + bad + bad + "e" + bad + bad, "history=after"}},
        {"", {}}};

    for (auto& [bytes, expected] : cases)
        EXPECT_EQ (itemsOf (read (bytes)), expected) << bytes;

    // A zero byte inside the data: whatever becomes of that element, the elements around it are read.
    const auto zero =
        itemsOf (read (std::string ("<history id=\"0\" data=\"one\"></history><history id=\"1\" data=\"t") + '\0' +
                       "wo\"></history><history id=\"2\" data=\"three\"></history>"));
    ASSERT_GE (zero.size(), 2u);
    EXPECT_EQ (zero.front(), "history=one");
    EXPECT_EQ (zero.back(), "history=three");
    for (auto& item : zero)
        EXPECT_EQ (item.find ('\0'), std::string::npos);
}

TEST (DocumentFileRead, ReadingAddsToWhatIsThereAndAHugeElementIsReadWhole)
{
    Content mine;
    mine.ideaTexts[0] = "mine";
    mine.rules.add ("4 4 4 4");
    const auto both = read ("<rule id=\"0\" data=\"4 4 4 4\"></rule><history id=\"0\" data=\"new\"></history>", mine);
    EXPECT_EQ (both.ideaTexts[0], "mine");
    EXPECT_EQ (both.rules, juce::StringArray ("4 4 4 4", "4 4 4 4")) << "merging duplicates is the rule box's job";
    quilletDocumentFile::Read (nullptr, 0, mine);
    EXPECT_EQ (itemsOf (mine), std::vector<std::string>{"rule=4 4 4 4"});

    // 100 MB in optimised builds; the unoptimised sanitizer build checks the same path with less, to stay quick.
#ifdef NDEBUG
    const size_t size = 100u * 1024u * 1024u;
#else
    const size_t size = 8u * 1024u * 1024u;
#endif
    const auto huge = read ("<text id=\"1\" data=\"" + std::string (size - 1, 'w') + "\xc3\xa9\"></text>");
    EXPECT_EQ (huge.ideaTexts[0].length(), (int)size);
    EXPECT_EQ (huge.ideaTexts[0].getLastCharacter(), (juce::juce_wchar)0xe9);
}

//==============================================================================
TEST (DocumentTextImport, ParagraphsAreRunsOfLinesWithWordsStrippedOfPunctuation)
{
    const std::pair<const char*, juce::StringArray> cases[] = {
        {"\n  \n...\nFirst line, one.\r\nsecond\tline\r\n\r\n\r\nThird: and/or line!\n ; , \nlast one\nend.\n\n",
         {"First line one\nsecond line\n", "Third andor line!\n", "last one\nend\n"}},
        {"caf\xc3\xa9 \xe2\x80\x94 ok", {juce::String::fromUTF8 ("caf\xc3\xa9 \xe2\x80\x94 ok\n")}},
        {"", {}},
        {"  \r\n\t\r\n", {}},
        {". , ; :\n()", {}}};

    for (auto& [text, paragraphs] : cases)
    {
        const auto imported = quilletDocumentFile::SplitImportedText (juce::String::fromUTF8 (text));
        EXPECT_EQ (imported.paragraphs, paragraphs) << text;
        EXPECT_EQ (imported.allLines, paragraphs.joinIntoString ({})) << text;
    }
}

TEST (DocumentTextImport, FileBytesAreDecodedByTheirMarks)
{
    const std::pair<std::string, juce::String> cases[] = {
        {"\xef\xbb\xbfh\xc3\xa9", juce::String::fromUTF8 ("h\xc3\xa9")},
        {std::string ("\xff\xfeh\0\xe9\0!\0", 8), juce::String::fromUTF8 ("h\xc3\xa9!")},
        // Text in an 8-bit code page is not UTF-8: its accented letters become U+FFFD rather than garbage.
        {"caf\xe9 x", juce::String::fromUTF8 (("caf" + bad + " x").c_str())},
        {"", {}}};

    for (auto& [bytes, text] : cases)
        EXPECT_EQ (quilletDocumentFile::StringFromTextFileBytes (bytes.data(), bytes.size()), text) << bytes;
}
