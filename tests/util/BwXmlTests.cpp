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
    return p == nullptr ? "<null>" : std::string (reinterpret_cast<const char*> (p), (size_t)n);
}

std::string unescape (const char* text, int n)
{
    const BwString s = BwXml_Data_TranslateToUnescaped (u (text), n);
    return std::string (s.c_str(), (size_t)s.GetLength());
}

int findBlock (const char* text, const char* name, BwString& block, int regionBytes = -1)
{
    return BwXml_FindBlockGivenName (u (text), regionBytes < 0 ? len (text) : regionBytes, name, block);
}

std::string attribute (const char* element, const char* pattern, int regionBytes = -1)
{
    int n = -1;
    auto* value =
        BwXml_GetAttribute (u (element), regionBytes < 0 ? len (element) : regionBytes, pattern, len (pattern), &n);
    return str (value, n);
}
} // namespace

TEST (BwXml, ScanAdvancesBlockByBlock)
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

    for (int offset; (offset = BwXml_FindBlockGivenName (pos, remaining, "history", block)) >= 0;)
    {
        EXPECT_EQ (str (pos + offset, block.GetLength()), std::string (block.c_str()));
        ids.push_back (attribute (block.c_str(), "id=\""));
        pos += offset + block.GetLength();
        remaining -= offset + block.GetLength();
    }

    EXPECT_EQ (ids, (std::vector<std::string>{"1", "2"}));
    EXPECT_STREQ (block.c_str(), "<HISTORY id=\"2\" data=\"second\"></HISTORY>"); // untouched by the last miss
    EXPECT_EQ (findBlock (doc, "rule", block), 50);
    EXPECT_STREQ (block.c_str(), "<rule data=\"4 4\"></rule>");
}

TEST (BwXml, BlockNameMatchesLongerNamesAndAnyCaseAndNeedsAClosingTag)
{
    BwString block;
    EXPECT_EQ (findBlock ("  <TEXTUAL data=\"x\">q</text>", "text", block), 2);
    EXPECT_STREQ (block.c_str(), "<TEXTUAL data=\"x\">q</text>");
    EXPECT_EQ (findBlock ("<TEXT data=\"y\"></Text>", "text", block), 0);
    EXPECT_STREQ (block.c_str(), "<TEXT data=\"y\"></Text>");

    EXPECT_EQ (findBlock ("<rule data=\"1\"></rule>", "history", block), -1);
    EXPECT_FALSE (block.IsEmpty()); // no such element: left alone
    EXPECT_EQ (findBlock ("<history id=\"1\" data=\"abc\"><rule></rule>", "history", block), -1);
    EXPECT_TRUE (block.IsEmpty());                                  // never closed: emptied
    EXPECT_EQ (findBlock ("<text></text>", "text", block, 12), -1); // the closing tag ends outside the region
}

TEST (BwXml, AttributeLookupIsConfinedToTheStartTag)
{
    const char* element = "<history id=\"7\" data=\"abcdefg\"></history>";
    EXPECT_EQ (attribute (element, "id=\""), "7");
    EXPECT_EQ (attribute (element, "DATA=\""), "abcdefg");
    EXPECT_EQ (attribute (element, "name=\""), "<null>");
    EXPECT_EQ (attribute ("<h data=\"\">", "data=\""), "");
    EXPECT_EQ (attribute ("<h guid=\"g\">", "id=\""), "g"); // the pattern may end a longer name

    EXPECT_EQ (attribute ("<history id=\"1\">data=\"zzz\"</history>", "data=\""), "<null>"); // content, not tag
    EXPECT_EQ (attribute ("<history data=\"x\"", "data=\""), "<null>");                      // no ">", no start tag
    // A ">" inside the value ends the start tag, but the value still runs to its quote, if inside the region.
    EXPECT_EQ (attribute ("<h data=\"a>bc\">", "data=\""), "a>bc");
    EXPECT_EQ (attribute ("<h data=\"a>bc\">", "data=\"", 12), "<null>");

    int n = -5;
    EXPECT_EQ (BwXml_GetAttribute (u (element), len (element), "name=\"", 6, &n), nullptr);
    EXPECT_EQ (n, -5); // written only when a value is found
}

TEST (BwXml, ValuesInSections)
{
    int n = 0;
    const char* doc = "<doc data=\"outer\"><rule id=\"\" data=\"4 5\"></rule></doc>";
    const unsigned char* value = BwXml_GetValueInSection (u (doc), len (doc), "rule", "data", &n);
    EXPECT_EQ (str (value, n), "4 5");
    EXPECT_EQ (BwXml_GetValueInSection (u (doc), len (doc), "rule", "id", &n), nullptr); // an empty value
    EXPECT_EQ (BwXml_GetValueInSection (u (doc), len (doc), "text", "data", &n), nullptr);
    value = BwXml_FindSection (u (doc), len (doc), "<RULE", "</rule>", &n);
    EXPECT_EQ (str (value, n), "<rule id=\"\" data=\"4 5\"></rule>");
}

TEST (BwXml, EscapeAndUnescapeRoundTrip)
{
    const char* text = "say \"hi\" & 'bye' <now> caf\xC3\xA9 \xF0\x9F\x98\x80\nline two\r\n\ttab";
    const BwString escaped = BwXml_Data_TranslateToEscaped (text);
    EXPECT_STREQ (escaped.c_str(), "say &quot;hi&quot; &amp; &apos;bye&apos; &lt;now&gt; caf\xC3\xA9 \xF0\x9F\x98\x80\n"
                                   "line two\r\n\ttab");
    EXPECT_EQ (unescape (escaped.c_str(), escaped.GetLength()), std::string (text));

    const BwString twice = BwXml_Data_TranslateToEscaped ("&amp;"); // escaped again, and back as it was
    EXPECT_STREQ (twice.c_str(), "&amp;amp;");
    EXPECT_EQ (unescape (twice.c_str(), twice.GetLength()), "&amp;");

    EXPECT_EQ (unescape ("&QUOT;&Amp;&LT;&gT;&aPoS;", 25), "\"&<>'");
    EXPECT_EQ (unescape ("a & b &nbsp;&#38;&#x26;&amp", 27), "a & b &nbsp;&#38;&#x26;&amp");
    // An entity or character that starts inside the region but ends behind it is not taken whole.
    EXPECT_EQ (unescape ("&amp;", 3), "&am");
    EXPECT_EQ (unescape ("a\xE2\x82\xAC", 2), "a\xE2");
}
