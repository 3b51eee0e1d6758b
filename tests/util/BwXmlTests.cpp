// Tests of the XML-like scanner and escaper the document reader and writer rely on.
#include <BwXml.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
const unsigned char* u (const char* text)
{
    return reinterpret_cast<const unsigned char*> (text);
}

int len (const char* text)
{
    return (int)std::strlen (text);
}

std::string str (const unsigned char* p, int n)
{
    return std::string (reinterpret_cast<const char*> (p), (size_t)n);
}

std::string unescape (const char* text, int n)
{
    const BwString s = BwXml_Data_TranslateToUnescaped (u (text), n);
    return std::string (s.c_str(), (size_t)s.GetLength());
}
} // namespace

TEST (BwXmlBlocks, ScanAdvancesBlockByBlock)
{
    const char* doc = "<quillet>\n"
                      "<history id=\"1\" data=\"first\"></history>\n"
                      "<rule data=\"4 4\"></rule>\n"
                      "<HISTORY id=\"2\" data=\"second\"></HISTORY>\n"
                      "</quillet>\n";

    // The reader's loop: advance by offset plus block length.
    const unsigned char* pos = u (doc);
    int remaining = len (doc);
    std::vector<std::string> ids;
    BwString block;
    int offset;

    while ((offset = BwXml_FindBlockGivenName (pos, remaining, "history", block)) >= 0)
    {
        EXPECT_EQ (block.Get()[0], '<');
        EXPECT_EQ (str (pos + offset, block.GetLength()), std::string (block.c_str()));
        int n = 0;
        auto* id = BwXml_GetAttribute (block.Get(), block.GetLength(), "id=\"", 4, &n);
        ASSERT_NE (id, nullptr);
        ids.push_back (str (id, n));
        pos += offset + block.GetLength();
        remaining -= offset + block.GetLength();
    }

    EXPECT_EQ (ids, (std::vector<std::string>{"1", "2"}));
    EXPECT_STREQ (block.c_str(), "<HISTORY id=\"2\" data=\"second\"></HISTORY>"); // untouched by the last miss

    BwString rule;
    EXPECT_EQ (BwXml_FindBlockGivenName (u (doc), len (doc), "rule", rule), 50);
    EXPECT_STREQ (rule.c_str(), "<rule data=\"4 4\"></rule>");
}

TEST (BwXmlBlocks, NameMatchesLongerNamesAndAnyCase)
{
    BwString block;
    const char* textual = "  <TEXTUAL data=\"x\">q</text>";
    EXPECT_EQ (BwXml_FindBlockGivenName (u (textual), len (textual), "text", block), 2);
    EXPECT_STREQ (block.c_str(), "<TEXTUAL data=\"x\">q</text>");

    const char* upper = "<TEXT data=\"y\"></Text>";
    EXPECT_EQ (BwXml_FindBlockGivenName (u (upper), len (upper), "text", block), 0);
    EXPECT_STREQ (block.c_str(), upper);
}

TEST (BwXmlBlocks, UnclosedBlockGivesMinusOneAndEmptyBlock)
{
    BwString block ("previous");
    const char* missing = "<rule data=\"1\"></rule>";
    EXPECT_EQ (BwXml_FindBlockGivenName (u (missing), len (missing), "history", block), -1);
    EXPECT_STREQ (block.c_str(), "previous");

    const char* unclosed = "<history id=\"1\" data=\"abc\"><rule></rule>";
    EXPECT_EQ (BwXml_FindBlockGivenName (u (unclosed), len (unclosed), "history", block), -1);
    EXPECT_TRUE (block.IsEmpty());

    // A closing tag that lies only partly inside the region does not count.
    const char* cut = "<text></text>";
    EXPECT_EQ (BwXml_FindBlockGivenName (u (cut), len (cut) - 1, "text", block), -1);
    EXPECT_EQ (BwXml_FindBlockGivenName (u (cut), len (cut), "text", block), 0);
}

TEST (BwXmlAttributes, ValueLengthsAndMissingAttributes)
{
    const char* element = "<history id=\"7\" data=\"abcdefg\"></history>";
    int n = -5;

    auto* id = BwXml_GetAttribute (u (element), len (element), "id=\"", 4, &n);
    ASSERT_NE (id, nullptr);
    EXPECT_EQ (n, 1);
    EXPECT_EQ (*id, '7');

    auto* data = BwXml_GetAttribute (u (element), len (element), "DATA=\"", 6, &n);
    ASSERT_NE (data, nullptr);
    EXPECT_EQ (str (data, n), "abcdefg");

    n = -5;
    EXPECT_EQ (BwXml_GetAttribute (u (element), len (element), "name=\"", 6, &n), nullptr);
    EXPECT_EQ (n, -5); // written only when a value is found

    const char* empty = "<h data=\"\">";
    auto* value = BwXml_GetAttribute (u (empty), len (empty), "data=\"", 6, &n);
    EXPECT_EQ (value, u (empty) + 9);
    EXPECT_EQ (n, 0);

    // The pattern may end a longer attribute name.
    const char* guid = "<h guid=\"g\">";
    value = BwXml_GetAttribute (u (guid), len (guid), "id=\"", 4, &n);
    ASSERT_NE (value, nullptr);
    EXPECT_EQ (str (value, n), "g");
}

TEST (BwXmlAttributes, OnlyTheStartTagIsSearched)
{
    int n = 0;
    const char* content = "<history id=\"1\">data=\"zzz\"</history>";
    EXPECT_EQ (BwXml_GetAttribute (u (content), len (content), "data=\"", 6, &n), nullptr);

    // Without a ">" there is no start tag.
    const char* open = "<history data=\"x\"";
    EXPECT_EQ (BwXml_GetAttribute (u (open), len (open), "data=\"", 6, &n), nullptr);

    // A ">" inside the value ends the start tag, but the value still runs to its quote...
    const char* gt = "<h data=\"a>bc\">";
    auto* value = BwXml_GetAttribute (u (gt), len (gt), "data=\"", 6, &n);
    ASSERT_NE (value, nullptr);
    EXPECT_EQ (str (value, n), "a>bc");
    // ...as long as that quote lies inside the region.
    EXPECT_EQ (BwXml_GetAttribute (u (gt), 12, "data=\"", 6, &n), nullptr);
}

TEST (BwXmlAttributes, ValuesInBlocksAndSections)
{
    int n = 0;
    const char* block = "<history id=\"\">data=\"content\"</history>";
    EXPECT_EQ (BwXml_GetValueInBlock (u (block), len (block), "id=\"", 4, &n), nullptr); // empty value
    auto* value = BwXml_GetValueInBlock (u (block), len (block), "data=\"", 6, &n);
    ASSERT_NE (value, nullptr);
    EXPECT_EQ (str (value, n), "content");

    const char* doc = "xx<a>yy</a>zz";
    auto* section = BwXml_FindSection (u (doc), len (doc), "<A>", "</a>", &n);
    EXPECT_EQ (section, u (doc) + 2);
    EXPECT_EQ (n, 9);
    EXPECT_EQ (BwXml_FindSection (u (doc), len (doc), "<a>", "</b>", &n), nullptr);

    const char* nested = "<doc data=\"outer\"><rule id=\"5\" data=\"4 5\"></rule></doc>";
    value = BwXml_GetValueInSection (u (nested), len (nested), "rule", "data", &n);
    ASSERT_NE (value, nullptr);
    EXPECT_EQ (str (value, n), "4 5");
    EXPECT_EQ (BwXml_GetValueInSection (u (nested), len (nested), "text", "data", &n), nullptr);
}

TEST (BwXmlEscaping, RoundTripOfTheFiveCharacters)
{
    const char* text = "say \"hi\" & 'bye' <now> caf\xC3\xA9 \xF0\x9F\x98\x80\nline two\r\n\ttab";
    const BwString escaped = BwXml_Data_TranslateToEscaped (text);

    EXPECT_STREQ (escaped.c_str(), "say &quot;hi&quot; &amp; &apos;bye&apos; &lt;now&gt; caf\xC3\xA9 \xF0\x9F\x98\x80\n"
                                   "line two\r\n\ttab");
    EXPECT_EQ (unescape (escaped.c_str(), escaped.GetLength()), std::string (text));

    // Already escaped text is escaped again, and comes back as it was.
    const BwString twice = BwXml_Data_TranslateToEscaped ("&amp;");
    EXPECT_STREQ (twice.c_str(), "&amp;amp;");
    EXPECT_EQ (unescape (twice.c_str(), twice.GetLength()), "&amp;");
}

TEST (BwXmlEscaping, UnescapeLeavesUnknownReferencesAlone)
{
    EXPECT_EQ (unescape ("&QUOT;&Amp;&LT;&gT;&aPoS;", 25), "\"&<>'");
    EXPECT_EQ (unescape ("a & b", 5), "a & b");
    EXPECT_EQ (unescape ("&nbsp;&#38;&#x26;&", 18), "&nbsp;&#38;&#x26;&");
    EXPECT_EQ (unescape ("&amp", 4), "&amp");
    EXPECT_EQ (BwXml_Data_TranslateToUnescaped (nullptr, 0).GetLength(), 0);
    EXPECT_EQ (BwXml_Data_TranslateToUnescaped (u ("abc"), -1).GetLength(), 0);
}

TEST (BwXmlEscaping, UnescapeStaysInsideTheRegion)
{
    // An entity or character that starts inside the region but ends behind it is not taken whole.
    EXPECT_EQ (unescape ("&amp;", 3), "&am");
    EXPECT_EQ (unescape ("a\xE2\x82\xAC", 2), "a\xE2");
    EXPECT_EQ (unescape ("x&lt;", 5), "x<");
}
