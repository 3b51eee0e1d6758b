// The history list: its index rules, the UTF-8 views and drawing.
#include "EditorTestSupport.h"
#include "SimpleTextListBox.h"

TEST (SimpleTextListBox, IndexRulesAndUtf8Views)
{
    SimpleTextListBox list ("history");
    auto entries = [&list] { return list.m_items.joinIntoString ("|"); };
    EXPECT_EQ (list.GetText (0), nullptr);
    EXPECT_EQ (list.GetString (-1), "");

    list.AddString ("a");
    list.InsertString (5, "end"); // beyond the end or negative: appended
    list.InsertString (-3, "end2");
    list.InsertString (0, "first");
    EXPECT_EQ (entries(), "first|a|end|end2");
    list.DeleteString (-1); // outside the entries: nothing
    list.DeleteString (4);
    list.DeleteString (1);
    EXPECT_EQ (entries(), "first|end|end2");
    list.SetStringAt (1, "t");
    list.SetStringAt (7, "beyond");
    EXPECT_EQ (entries(), "first|t|end2|beyond");

    list.ResetContent();
    list.AddString (juce::CharPointer_UTF8 ("Caf\xc3\xa9 night,\n"));
    EXPECT_STREQ (list.GetText (0), "Caf\xc3\xa9 night,\n");
    EXPECT_EQ (list.GetText (1), nullptr);
    EXPECT_EQ (list.GetCurSelText(), nullptr) << "changing the list selects nothing";
    list.selectRow (0);
    EXPECT_STREQ (list.GetCurSelText(), "Caf\xc3\xa9 night,\n");
}

TEST (SimpleTextListBox, PaintsTheEntryFivePixelsInOnLightBlueWhenSelected)
{
    SimpleTextListBox list ("history");
    list.AddString ("Wide lyric line one,\nand line two.\n");

    // "background colour, dark pixels left of x = 5, whether the text is there".
    auto paint = [&list] (int row, bool selected)
    {
        juce::Image image (juce::Image::RGB, 200, 22, true);
        juce::Graphics g (image);
        g.fillAll (juce::Colours::white);
        list.paintListBoxItem (row, g, 200, 22, selected);
        int dark[2] = {};
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 22; ++y)
                dark[x < 5 ? 0 : 1] += image.getPixelAt (x, y).getBrightness() < 0.5f ? 1 : 0;
        return image.getPixelAt (1, 1).toDisplayString (false) + " " + juce::String (dark[0]) +
               (dark[1] > 10 ? " text" : " none");
    };
    EXPECT_EQ (paint (0, true), juce::Colours::lightblue.toDisplayString (false) + " 0 text");
    EXPECT_EQ (paint (0, false), "FFFFFF 0 text");
    EXPECT_EQ (paint (4, false), "FFFFFF 0 none") << "beyond the entries";
}
