// The history list: its index rules, the UTF-8 views, clicks and drawing.
#include "EditorTestSupport.h"
#include "SimpleTextListBox.h"

using namespace editortest;

namespace
{
juce::StringArray entries (SimpleTextListBox& list)
{
    juce::StringArray result;
    for (int i = 0; i < list.getNumRows(); ++i)
        result.add (list.GetString (i));
    return result;
}
} // namespace

TEST (SimpleTextListBox, EmptyList)
{
    SimpleTextListBox list ("lyrichistorylistbox");
    EXPECT_EQ (list.getName(), "lyrichistorylistbox");
    EXPECT_EQ (list.getModel(), &list);
    EXPECT_EQ (list.getNumRows(), 0);
    EXPECT_EQ (list.GetText (0), nullptr);
    EXPECT_EQ (list.GetCurSelText(), nullptr);
    EXPECT_EQ (list.GetString (0), "");
    EXPECT_EQ (list.GetString (-1), "");
}

TEST (SimpleTextListBox, IndexRules)
{
    SimpleTextListBox list ("history");
    list.AddString ("a");
    list.AddString ("b");

    list.InsertString (5, "appended");
    EXPECT_EQ (entries (list), juce::StringArray ({"a", "b", "appended"}));
    list.InsertString (-3, "also appended");
    list.InsertString (0, "first");
    EXPECT_EQ (entries (list), juce::StringArray ({"first", "a", "b", "appended", "also appended"}));

    list.DeleteString (-1);
    list.DeleteString (list.getNumRows());
    EXPECT_EQ (list.getNumRows(), 5);
    list.DeleteString (1);
    EXPECT_EQ (entries (list), juce::StringArray ({"first", "b", "appended", "also appended"}));

    list.ResetContent();
    list.AddString ("x");
    list.AddString ("y");
    list.AddString ("z");
    list.SetStringAt (1, "t");
    EXPECT_EQ (entries (list), juce::StringArray ({"x", "t", "z"}));
    list.SetStringAt (7, "beyond");
    EXPECT_EQ (entries (list), juce::StringArray ({"x", "t", "z", "beyond"}));

    list.ResetContent();
    EXPECT_EQ (list.getNumRows(), 0);
}

TEST (SimpleTextListBox, TextAsUtf8AndTheSelectedEntry)
{
    SimpleTextListBox list ("history");
    const juce::String lyric (juce::CharPointer_UTF8 ("Caf\xc3\xa9 night,\nsoft light.\n"));
    list.AddString ("");
    list.AddString (lyric);

    ASSERT_NE (list.GetText (0), nullptr);
    EXPECT_STREQ (list.GetText (0), "");
    EXPECT_STREQ (list.GetText (1), "Caf\xc3\xa9 night,\nsoft light.\n");
    EXPECT_EQ (list.GetText (2), nullptr);
    EXPECT_EQ (list.GetText (-1), nullptr);

    EXPECT_EQ (list.GetCurSelText(), nullptr);
    list.selectRow (1);
    EXPECT_STREQ (list.GetCurSelText(), "Caf\xc3\xa9 night,\nsoft light.\n");

    // Changing the list does not select anything by itself.
    list.deselectAllRows();
    list.AddString ("more");
    EXPECT_EQ (list.getSelectedRow (0), -1);
}

TEST (SimpleTextListBox, ClicksGoToTheCallbackWithItsContext)
{
    SimpleTextListBox list ("history");
    list.AddString ("one");
    list.setSize (200, 100);
    const auto click = rightClickAt (list, {10, 5});

    list.listBoxItemClicked (0, click); // no callback: nothing happens

    struct Record
    {
        int calls = 0, row = -1;
        juce::ListBox* list = nullptr;
    } record;

    list.mp_callbackContext = &record;
    list.mp_itemCallback = [] (void* context, juce::ListBox* box, int row, const juce::MouseEvent&)
    {
        auto& r = *static_cast<Record*> (context);
        ++r.calls;
        r.row = row;
        r.list = box;
    };

    list.listBoxItemClicked (0, click);
    list.listBoxItemDoubleClicked (3, click);
    EXPECT_EQ (record.calls, 2);
    EXPECT_EQ (record.row, 3);
    EXPECT_EQ (record.list, &list);
}

TEST (SimpleTextListBox, PaintsOneLineLightBlueWhenSelected)
{
    SimpleTextListBox list ("history");
    list.AddString ("Wide lyric line one,\nand line two.\n");

    auto paintRow = [&] (int row, bool selected)
    {
        juce::Image image (juce::Image::RGB, 200, 22, true);
        {
            juce::Graphics g (image);
            g.fillAll (juce::Colours::white);
            list.paintListBoxItem (row, g, 200, 22, selected);
        }
        return image;
    };

    auto darkPixelsInColumns = [] (const juce::Image& image, int fromX, int toX)
    {
        int count = 0;
        for (int x = fromX; x < toX; ++x)
            for (int y = 0; y < image.getHeight(); ++y)
                count += image.getPixelAt (x, y).getBrightness() < 0.5f ? 1 : 0;
        return count;
    };

    auto darkRows = [] (const juce::Image& image)
    {
        int rows = 0;
        for (int y = 0; y < image.getHeight(); ++y)
        {
            bool dark = false;
            for (int x = 0; x < image.getWidth(); ++x)
                dark = dark || image.getPixelAt (x, y).getBrightness() < 0.5f;
            rows += dark ? 1 : 0;
        }
        return rows;
    };

    const auto selected = paintRow (0, true);
    EXPECT_EQ (selected.getPixelAt (1, 1), juce::Colours::lightblue);
    EXPECT_EQ (selected.getPixelAt (198, 20), juce::Colours::lightblue);
    EXPECT_EQ (darkPixelsInColumns (selected, 0, 5), 0); // text starts 5 pixels in
    EXPECT_GT (darkPixelsInColumns (selected, 5, 60), 10);

    // One line of text: dark pixels stay within one font height (15.4 px).
    EXPECT_LE (darkRows (selected), 16);

    const auto plain = paintRow (0, false);
    EXPECT_EQ (plain.getPixelAt (1, 1), juce::Colours::white);
    EXPECT_GT (darkPixelsInColumns (plain, 5, 60), 10);

    EXPECT_EQ (darkPixelsInColumns (paintRow (4, false), 0, 200), 0); // beyond the entries: no text
}
