// The ".quillet" format without any GUI: the exact bytes written, the reading back in any element order, the
// skipping of damaged elements, and the splitting of an imported text file.
#include "quilletDocumentFile.h"

#include <gtest/gtest.h>

namespace
{
using Content = quilletDocumentFile::Content;

Content read (const std::string& bytes)
{
    // c_str() has the zero byte behind the data that Read() wants, as a whole-file buffer has.
    Content content;
    quilletDocumentFile::Read (reinterpret_cast<const unsigned char*> (bytes.c_str()), (int)bytes.size(), content);
    return content;
}

juce::String utf8 (const char* text)
{
    return juce::String::fromUTF8 (text);
}

Content trickyContent()
{
    Content content;
    content.ideaTexts[0] = utf8 ("He said \"stop\" & left\r\nthe 'room' <now> & then\ttabbed");
    content.ideaTexts[1] = {};
    content.ideaTexts[2] =
        utf8 ("caf\xc3\xa9 na\xc3\xafve \xe2\x80\x9cquoted\xe2\x80\x9d \xf0\x9f\x8e\xb5 \xe6\x97\xa5\xe6\x9c\xac");
    content.history.add (utf8 ("first line\nsecond line\nthird, \"quoted\" line\n"));
    content.history.add ({});
    content.history.add ("&amp; stays &amp; and &#65; stays &#65;");
    content.history.add ("a\r\nb\rc\n\n");
    content.rules.add ("4 4 4 4");
    content.rules.add ("4 5 4 5");
    content.rules.add ({});
    content.rules.add ("6 6");
    content.lyricText = "one two three four,\nfive six seven eight.\n";
    return content;
}
} // namespace

TEST (DocumentFileWrite, EmptyWorkspaceIsTheNineFixedLines)
{
    Content content;
    content.rules.add ("4 4 4 4");
    content.rules.add ("4 5 4 5");

    const std::string expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<quillet>\n"
                                 "  <text id=\"1\" data=\"\"></text>\n"
                                 "  <text id=\"2\" data=\"\"></text>\n"
                                 "  <text id=\"3\" data=\"\"></text>\n"
                                 "  <rule id=\"0\" data=\"4 4 4 4\"></rule>\n"
                                 "  <rule id=\"1\" data=\"4 5 4 5\"></rule>\n"
                                 "  <editor data=\"\"></editor>\n"
                                 "</quillet>\n";

    EXPECT_EQ (quilletDocumentFile::Write (content), expected);
}

TEST (DocumentFileWrite, EscapesOnlyTheFiveCharactersAndCountsIdsPerKind)
{
    Content content;
    content.ideaTexts[1] = utf8 ("x\ty \xc3\xa9");
    content.history.add ("a\"b&c'd<e>f\r\ng");
    content.history.add ("two");
    content.history.add ("three");
    content.rules.add ("1 2");
    content.lyricText = "line one\nline two";

    const std::string bytes = quilletDocumentFile::Write (content);

    // Tabs, line breaks and non-ASCII bytes pass unchanged; the lyric's line break splits its element over two lines.
    EXPECT_NE (bytes.find ("  <text id=\"2\" data=\"x\ty \xc3\xa9\"></text>\n"), std::string::npos);
    EXPECT_NE (bytes.find ("  <history id=\"0\" data=\"a&quot;b&amp;c&apos;d&lt;e&gt;f\r\ng\"></history>\n"
                           "  <history id=\"1\" data=\"two\"></history>\n"
                           "  <history id=\"2\" data=\"three\"></history>\n"
                           "  <rule id=\"0\" data=\"1 2\"></rule>\n"
                           "  <editor data=\"line one\nline two\"></editor>\n"
                           "</quillet>\n"),
               std::string::npos);
    EXPECT_EQ (bytes.find ("\xef\xbb\xbf"), std::string::npos);
    EXPECT_EQ (bytes.find ("\r"), bytes.find ("f\r\ng") + 1) << "the only carriage return is the stored one";
}

TEST (DocumentFileRoundTrip, EveryItemComesBackUnchanged)
{
    const Content original = trickyContent();
    const Content back = read (quilletDocumentFile::Write (original));

    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE (back.ideaTextFound[i]);
        EXPECT_EQ (back.ideaTexts[i], original.ideaTexts[i]) << "idea text " << i + 1;
    }

    EXPECT_EQ (back.history, original.history);
    EXPECT_EQ (back.rules, original.rules);
    EXPECT_TRUE (back.lyricFound);
    EXPECT_EQ (back.lyricText, original.lyricText);
}

TEST (DocumentFileRead, ElementsWithoutIdOrDataAreSkipped)
{
    const Content back = read ("<quillet>\n"
                               "  <history id=\"0\" data=\"kept 1\"></history>\n"
                               "  <history id=\"1\"></history>\n"
                               "  <history data=\"no id\"></history>\n"
                               "  <history id=\"3\" data=\"kept 2\"></history>\n"
                               "  <rule data=\"9 9\"></rule>\n"
                               "  <rule id=\"1\" data=\"3 3\"></rule>\n"
                               "  <text data=\"no id\"></text>\n"
                               "  <text id=\"2\"></text>\n"
                               "  <editor></editor>\n"
                               "</quillet>\n");

    EXPECT_EQ (back.history, juce::StringArray ("kept 1", "kept 2"));
    EXPECT_EQ (back.rules, juce::StringArray ("3 3"));

    for (bool found : back.ideaTextFound)
        EXPECT_FALSE (found);

    EXPECT_FALSE (back.lyricFound);
}

TEST (DocumentFileRead, AnUnclosedElementEndsOnlyTheScanOfItsKind)
{
    const Content back = read ("<quillet>\n"
                               "  <history id=\"0\" data=\"before\"></history>\n"
                               "  <rule id=\"0\" data=\"2 2\"></rule>\n"
                               "  <history id=\"1\" data=\"never closed\">\n"
                               "  <rule id=\"1\" data=\"3 3\"></rule>\n"
                               "  <text id=\"1\" data=\"idea\"></text>\n"
                               "  <editor data=\"lyric\"></editor>\n"
                               "</quillet>\n");

    EXPECT_EQ (back.history, juce::StringArray ("before"));
    EXPECT_EQ (back.rules, juce::StringArray ("2 2", "3 3"));
    EXPECT_EQ (back.ideaTexts[0], "idea");
    EXPECT_EQ (back.lyricText, "lyric");
}

TEST (DocumentFileRead, IdsNamesAndEntitiesAreReadLoosely)
{
    const Content back = read ("<text id=\" 2\" data=\"two\"></text>"
                               "<text id=\"+3x\" data=\"three\"></text>"
                               "<text id=\"0\" data=\"zero\"></text>"
                               "<text id=\"4\" data=\"four\"></text>"
                               "<text id=\"-1\" data=\"minus\"></text>"
                               "<text id=\"99999999999999999999\" data=\"huge\"></text>"
                               "<TEXT ID=\"1\" DATA=\"&QUOT;caps&Amp;\"></TEXT>"
                               "<text id=\"2\" data=\"two again\"></text>"
                               "<editor data=\"first\"></editor>"
                               "<editor data=\"second\"></editor>");

    EXPECT_EQ (back.ideaTexts[0], "\"caps&");
    EXPECT_EQ (back.ideaTexts[1], "two again") << "a later element with the same id replaces the text";
    EXPECT_EQ (back.ideaTexts[2], "three");
    EXPECT_EQ (back.lyricText, "first") << "only the first editor element counts";
}

TEST (DocumentFileRead, ReadingAddsToWhatIsThereAndAnEmptyFileChangesNothing)
{
    Content content;
    content.ideaTexts[0] = "mine";
    content.history.add ("old");
    content.rules.add ("4 4 4 4");

    const std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quillet>\n</quillet>\n";
    quilletDocumentFile::Read (reinterpret_cast<const unsigned char*> (bytes.c_str()), (int)bytes.size(), content);
    EXPECT_EQ (content.ideaTexts[0], "mine");
    EXPECT_EQ (content.history, juce::StringArray ("old"));

    const std::string more = "<history id=\"0\" data=\"new\"></history><rule id=\"0\" data=\"4 4 4 4\"></rule>";
    quilletDocumentFile::Read (reinterpret_cast<const unsigned char*> (more.c_str()), (int)more.size(), content);
    EXPECT_EQ (content.history, juce::StringArray ("old", "new"));
    EXPECT_EQ (content.rules, juce::StringArray ("4 4 4 4", "4 4 4 4")) << "merging duplicates is the rule box's job";

    quilletDocumentFile::Read (nullptr, 0, content);
    EXPECT_EQ (content.history.size(), 2);
}

TEST (DocumentFileRead, EveryTruncationReadsOnlyWhatIsComplete)
{
    const Content full = trickyContent();
    const std::string bytes = quilletDocumentFile::Write (full);

    for (size_t length = 0; length <= bytes.size(); ++length)
    {
        // An exactly sized heap copy, so that AddressSanitizer sees any read past the zero byte.
        std::unique_ptr<unsigned char[]> copy (new unsigned char[length + 1]);
        std::memcpy (copy.get(), bytes.data(), length);
        copy[length] = 0;

        Content part;
        quilletDocumentFile::Read (copy.get(), (int)length, part);

        ASSERT_LE (part.history.size(), full.history.size());
        for (int i = 0; i < part.history.size(); ++i)
            ASSERT_EQ (part.history[i], full.history[i]) << "cut at " << length;

        ASSERT_LE (part.rules.size(), full.rules.size());
        for (int i = 0; i < part.rules.size(); ++i)
            ASSERT_EQ (part.rules[i], full.rules[i]) << "cut at " << length;

        for (int i = 0; i < 3; ++i)
        {
            if (part.ideaTextFound[i])
            {
                ASSERT_EQ (part.ideaTexts[i], full.ideaTexts[i]) << "cut at " << length;
            }
        }

        if (part.lyricFound)
        {
            ASSERT_EQ (part.lyricText, full.lyricText) << "cut at " << length;
        }
    }
}

TEST (DocumentFileRead, DamagedBytesBecomeReplacementCharacters)
{
    const juce::String bad = juce::String::charToString (0xfffd);

    // One U+FFFD for each byte that does not begin a well-formed sequence: a stray 0xff, a lone continuation byte, an
    // overlong "/" (two bytes), an encoded surrogate (three bytes) and a lead byte whose sequence is cut short.
    const Content back = read ("<history id=\"0\" data=\"a\xff"
                               "b\x80"
                               "c\xc0\xaf"
                               "d\xed\xa0\x80"
                               "e\xe6\x97"
                               "\"></history>"
                               "<history id=\"1\" data=\"after\"></history>"
                               "<text id=\"1\" data=\"end\xf0");

    ASSERT_EQ (back.history.size(), 2);
    EXPECT_EQ (back.history[0], "a" + bad + "b" + bad + "c" + bad + bad + "d" + bad + bad + bad + "e" + bad + bad);
    EXPECT_EQ (back.history[1], "after");
    EXPECT_FALSE (back.ideaTextFound[0]);

    // A zero byte inside the data: whatever becomes of that element, the elements around it are read.
    const std::string withZero = std::string ("<history id=\"0\" data=\"one\"></history>"
                                              "<history id=\"1\" data=\"t") +
                                 '\0' + "wo\"></history><history id=\"2\" data=\"three\"></history>";
    const Content zeroBack = read (withZero);
    ASSERT_GE (zeroBack.history.size(), 2);
    EXPECT_EQ (zeroBack.history[0], "one");
    EXPECT_EQ (zeroBack.history[zeroBack.history.size() - 1], "three");
    for (auto& entry : zeroBack.history)
        EXPECT_FALSE (entry.containsChar (0));
}

TEST (DocumentFileRead, AHugeElementIsReadWhole)
{
    // 100 MB in optimised builds; the unoptimised sanitizer build checks the same path with less, to stay quick.
#ifdef NDEBUG
    const size_t size = 100u * 1024u * 1024u;
#else
    const size_t size = 8u * 1024u * 1024u;
#endif
    std::string bytes = "<quillet>\n  <text id=\"1\" data=\"";
    bytes.reserve (size + 100);
    bytes.append (size - 1, 'w');
    bytes += "\xc3\xa9\"></text>\n</quillet>\n";

    const Content back = read (bytes);
    ASSERT_TRUE (back.ideaTextFound[0]);
    EXPECT_EQ (back.ideaTexts[0].length(), (int)size);
    EXPECT_EQ (back.ideaTexts[0].getLastCharacter(), (juce::juce_wchar)0xe9);
}

//==============================================================================
TEST (DocumentTextImport, ParagraphsAreSplitAtLinesWithoutWords)
{
    const auto imported = quilletDocumentFile::SplitImportedText ("\n  \n...\n"
                                                                  "First line, one.\r\n"
                                                                  "second\tline\r\n"
                                                                  "\r\n"
                                                                  "\r\n"
                                                                  "Third: and/or line!\n"
                                                                  " ; , \n"
                                                                  "last one\n"
                                                                  "end.\n\n");

    EXPECT_EQ (imported.paragraphs,
               juce::StringArray ("First line one\nsecond line\n", "Third andor line!\n", "last one\nend\n"));
    EXPECT_EQ (imported.allLines, "First line one\nsecond line\nThird andor line!\nlast one\nend\n");
}

TEST (DocumentTextImport, TextWithoutWordsGivesNothing)
{
    for (auto text : {"", "\n\n\n", "  \r\n\t\r\n", ". , ; :\n()"})
    {
        const auto imported = quilletDocumentFile::SplitImportedText (text);
        EXPECT_TRUE (imported.paragraphs.isEmpty()) << text;
        EXPECT_TRUE (imported.allLines.isEmpty()) << text;
    }

    const auto one = quilletDocumentFile::SplitImportedText (utf8 ("caf\xc3\xa9 \xe2\x80\x94 ok"));
    EXPECT_EQ (one.paragraphs, juce::StringArray (utf8 ("caf\xc3\xa9 \xe2\x80\x94 ok\n")));
}

TEST (DocumentTextImport, FileBytesAreDecodedByTheirMarks)
{
    const unsigned char utf8Bom[] = {0xef, 0xbb, 0xbf, 'h', 0xc3, 0xa9};
    EXPECT_EQ (quilletDocumentFile::StringFromTextFileBytes (utf8Bom, sizeof (utf8Bom)), utf8 ("h\xc3\xa9"));

    const unsigned char utf16LittleEndian[] = {0xff, 0xfe, 'h', 0, 0xe9, 0, '!', 0};
    EXPECT_EQ (quilletDocumentFile::StringFromTextFileBytes (utf16LittleEndian, sizeof (utf16LittleEndian)),
               utf8 ("h\xc3\xa9!"));

    // Text in an 8-bit code page is not UTF-8: its accented letters become U+FFFD rather than garbage.
    const unsigned char latin1[] = {'c', 'a', 'f', 0xe9, ' ', 'x'};
    EXPECT_EQ (quilletDocumentFile::StringFromTextFileBytes (latin1, sizeof (latin1)),
               "caf" + juce::String::charToString (0xfffd) + " x");

    EXPECT_TRUE (quilletDocumentFile::StringFromTextFileBytes (nullptr, 0).isEmpty());
}
