// The workspace as it stands after construction: its controls, their texts,
// focus order and colours, the proportional layout and the painted background.
#include "WorkspaceTestSupport.h"

using namespace workspace_test;

namespace
{
struct ControlRow
{
    juce::Component* (*get) (quilletComponent&);
    const char* name;
    const char* text;
    const char* tooltip;
    int focusOrder;
    juce::Rectangle<int> design;
};

#define QUILLET_MEMBER(m)                                                                                              \
    [] (quilletComponent& w) -> juce::Component* { return w.m.get(); }

// The 21 controls in creation order, as drawn for 825 x 500.
const ControlRow controls[] = {
    {QUILLET_MEMBER (ideasGroup), "new group", "1. Ideas", "", 0, {8, 8, 248, 480}},
    {QUILLET_MEMBER (lyricsGroup), "new group", "2. Lyrics", "", 0, {264, 8, 552, 240}},
    {QUILLET_MEMBER (versesGroup), "new group", "3. Verses", "", 0, {264, 259, 552, 229}},
    {QUILLET_MEMBER (createLyricsButton),
     "",
     "Create Lyrics --->",
     "Use your Idea Text to generate a Lyric!",
     4,
     {272, 80, 160, 32}},
    {QUILLET_MEMBER (ruleLabel),
     "new label",
     "Lyric Rule: type, edit or select:",
     "Use this Rule to create your Lyric... add your own Rules by editing the text!",
     0,
     {280, 168, 96, 40}},
    {QUILLET_MEMBER (ideasLabel),
     "new label",
     "Put your Idea text here...",
     "Type or paste your Idea Text into any of these windows:",
     0,
     {24, 16, 168, 40}},
    {QUILLET_MEMBER (historyListBox), "lyrichistorylistbox", "", "", 6, {312, 328, 488, 144}},
    {QUILLET_MEMBER (replaceButton),
     "",
     "Replace",
     "Replace current list item with your Lyric!",
     8,
     {520, 291, 56, 24}},
    {QUILLET_MEMBER (historyLabel),
     "new label",
     "Add your created Lyrics here!",
     "Copy your Lyric  from above; select Replace to replace current entry or Add to put at end. Press Edit to "
     "re-edit current item!",
     0,
     {312, 283, 120, 40}},
    {QUILLET_MEMBER (deleteButton), "", "Delete", "Delete current entry from the list!", 10, {664, 291, 64, 24}},
    {QUILLET_MEMBER (deleteAllButton), "", "Delete All", "Delete all entries from the list!", 11, {736, 291, 64, 24}},
    {QUILLET_MEMBER (lyricsEditor), "LyricsTextEditor", "", "", 4, {448, 24, 352, 176}},
    {QUILLET_MEMBER (ideaEditor1), "TextEditor1", "", "", 1, {24, 48, 216, 136}},
    {QUILLET_MEMBER (ideaEditor2), "TextEditor2", "", "", 2, {24, 192, 216, 136}},
    {QUILLET_MEMBER (ideaEditor3), "TextEditor3", "", "", 3, {24, 336, 216, 136}},
    {QUILLET_MEMBER (moveUpButton), "", "^", "Move list item Up", 12, {280, 336, 24, 24}},
    {QUILLET_MEMBER (moveDownButton), "", "v", "Move list item down", 13, {280, 448, 24, 24}},
    {QUILLET_MEMBER (deleteRuleButton), "new button", "Delete", "Delete current Rule!", 15, {376, 176, 56, 24}},
    {QUILLET_MEMBER (ruleComboBox),
     "rulecombobox",
     "4 4 4 4",
     "Select or edit your current Rule",
     14,
     {280, 210, 521, 24}},
    {QUILLET_MEMBER (addButton), "", "Add", "Add Lyric to end of the list!", 7, {456, 291, 56, 24}},
    {QUILLET_MEMBER (editButton), "", "Edit", "Edit current list item in the Lyric editor!", 9, {592, 291, 56, 24}},
};

juce::String textOf (juce::Component* c)
{
    if (auto* group = dynamic_cast<juce::GroupComponent*> (c))
        return group->getText();
    if (auto* button = dynamic_cast<juce::Button*> (c))
        return button->getButtonText();
    if (auto* label = dynamic_cast<juce::Label*> (c))
        return label->getText();
    if (auto* box = dynamic_cast<juce::ComboBox*> (c))
        return box->getText();
    if (auto* editor = dynamic_cast<juce::TextEditor*> (c))
        return editor->getText();
    return {};
}

juce::String tooltipOf (juce::Component* c)
{
    if (auto* client = dynamic_cast<juce::TooltipClient*> (c))
        return client->getTooltip();
    return {};
}

// What a design rectangle becomes at another size: each product truncated toward zero.
juce::Rectangle<int> scaled (juce::Rectangle<int> r, int width, int height)
{
    const double sx = width / 825.0, sy = height / 500.0;
    return {(int)(r.getX() * sx), (int)(r.getY() * sy), (int)(r.getWidth() * sx), (int)(r.getHeight() * sy)};
}
} // namespace

TEST (WorkspaceLayout, TwentyOneControlsInCreationOrderWithTheirTextsTooltipsAndFocusOrder)
{
    auto ws = makeWorkspace();

    ASSERT_EQ (ws->getNumChildComponents(), 21);

    for (int i = 0; i < 21; ++i)
    {
        SCOPED_TRACE (i + 1);
        auto* control = controls[i].get (*ws);
        ASSERT_NE (control, nullptr);
        EXPECT_EQ (ws->getChildComponent (i), control);
        EXPECT_TRUE (control->isVisible());
        EXPECT_EQ (control->getName(), juce::String (controls[i].name));
        EXPECT_EQ (textOf (control), juce::String (controls[i].text));
        EXPECT_EQ (tooltipOf (control), juce::String (controls[i].tooltip));
        EXPECT_EQ (control->getExplicitFocusOrder(), controls[i].focusOrder);
        EXPECT_EQ (control->getBounds(), controls[i].design);
    }
}

TEST (WorkspaceLayout, ScalesEveryControlByTruncationAndKeepsDesignBoundsAtZeroSize)
{
    auto ws = makeWorkspace();

    for (auto size : {juce::Point<int> (1650, 1000), juce::Point<int> (412, 250), juce::Point<int> (1000, 333)})
    {
        ws->setSize (size.x, size.y);

        for (int i = 0; i < 21; ++i)
            EXPECT_EQ (controls[i].get (*ws)->getBounds(), scaled (controls[i].design, size.x, size.y))
                << "control " << i + 1 << " at " << size.x << " x " << size.y;
    }

    ws->setSize (1650, 1000);
    EXPECT_EQ (ws->createLyricsButton->getBounds(), juce::Rectangle<int> (544, 160, 320, 64));
    EXPECT_EQ (ws->ruleComboBox->getBounds(), juce::Rectangle<int> (560, 420, 1042, 48));

    // 272 * 412 / 825 = 135.8 and 160 * 412 / 825 = 79.9: truncated, not rounded.
    ws->setSize (412, 250);
    EXPECT_EQ (ws->createLyricsButton->getBounds(), juce::Rectangle<int> (135, 40, 79, 16));

    for (auto size : {juce::Point<int> (0, 0), juce::Point<int> (0, 500), juce::Point<int> (825, 0)})
    {
        ws->setSize (size.x, size.y);

        for (int i = 0; i < 21; ++i)
            EXPECT_EQ (controls[i].get (*ws)->getBounds(), controls[i].design)
                << "control " << i + 1 << " at " << size.x << " x " << size.y;
    }

    ws->setSize (825, 500);

    for (int i = 0; i < 21; ++i)
        EXPECT_EQ (controls[i].get (*ws)->getBounds(), controls[i].design);
}

TEST (WorkspaceLayout, AChildAddedLaterIsScaledFromItsOwnBounds)
{
    auto ws = makeWorkspace();
    juce::Component extra;
    ws->addChildComponent (extra);
    extra.setBounds (100, 100, 50, 50);

    ws->setSize (1650, 1000);
    EXPECT_EQ (extra.getBounds(), juce::Rectangle<int> (200, 200, 100, 100));

    ws->removeChildComponent (&extra);
}

TEST (WorkspaceLayout, EditorsAreLinkedAndTheRuleBoxAndEditorsTakeTypedText)
{
    auto ws = makeWorkspace();

    EXPECT_TRUE (ws->ruleComboBox->isTextEditable());
    EXPECT_FALSE (ws->ruleLabel->isEditable());

    for (juce::TextEditor* editor :
         {(juce::TextEditor*)ws->ideaEditor1.get(), (juce::TextEditor*)ws->ideaEditor2.get(),
          (juce::TextEditor*)ws->ideaEditor3.get(), (juce::TextEditor*)ws->lyricsEditor.get()})
    {
        EXPECT_TRUE (editor->isMultiLine());
        EXPECT_TRUE (editor->getReturnKeyStartsNewLine());
        EXPECT_FALSE (editor->isReadOnly());
        EXPECT_TRUE (editor->isPopupMenuEnabled());
    }

    // The editors call back into this workspace and the lyric editor draws this engine.
    EXPECT_EQ (ws->lyricsEditor->mp_quillet, &ws->m_quillet);
    EXPECT_EQ (ws->lyricsEditor->mp_quilletComponent, static_cast<quilletWorkspaceLink*> (ws.get()));
    for (auto* idea : {ws->ideaEditor1.get(), ws->ideaEditor2.get(), ws->ideaEditor3.get()})
        EXPECT_EQ (idea->mp_quilletComponent, static_cast<quilletWorkspaceLink*> (ws.get()));

    // A click in the history only selects.
    EXPECT_EQ (ws->historyListBox->mp_callbackContext, ws.get());
    EXPECT_EQ (ws->historyListBox->mp_itemCallback, &MyListBoxItemEvent);
}

TEST (WorkspaceLayout, StartsAsAnUnchangedDocumentWithTheTwoRulesAndAppliesTheFirstLater)
{
    quilletComponent ws;

    EXPECT_FALSE (ws.hasChangedSinceSaved());
    EXPECT_EQ (ruleEntries (ws), strings ({"4 4 4 4", "4 5 4 5"}));
    EXPECT_EQ (ws.ruleComboBox->getItemId (0), 1);
    EXPECT_EQ (ws.ruleComboBox->getItemId (1), 2);
    EXPECT_EQ (ws.ruleComboBox->getText(), "4 4 4 4");
    EXPECT_EQ (ws.historyListBox->getNumRows(), 0);
    EXPECT_TRUE (ws.m_documentPath.isEmpty());
    EXPECT_TRUE (ws.m_documentTitle.isEmpty());
    EXPECT_EQ (ws.mp_recentFiles, nullptr);

    // The start-up selection arrives from the message loop: only then does the
    // word map carry the rule's counts rather than its defaults.
    EXPECT_EQ (ws.m_quillet.m_wordMap.m_wordCountInLine[0], 0);
    pump();
    EXPECT_EQ (shapeOf (ws), std::vector<int> ({4, 4, 4, 4}));
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ (ws.m_quillet.m_wordMap.m_wordCountInLine[line], 4);

    EXPECT_FALSE (ws.hasChangedSinceSaved()) << "applying a rule does not change the document";
}

TEST (WorkspaceLayout, PaintsTheBackgroundAndTheLogoOnlyWhereItsImageDataCanBeRead)
{
    const juce::Colour background (0xfffcefef);
    auto ws = makeWorkspace();

    auto paintWorkspace = [&ws]
    {
        juce::Image image (juce::Image::ARGB, 825, 500, true);
        juce::Graphics g (image);
        ws->paint (g);
        return image;
    };

    // Pixels of the logo's rectangle (about 268, 29, 52, 39 at the design size) that differ from the background.
    auto logoPixels = [&] (const juce::Image& image)
    {
        int count = 0;
        for (int y = 29; y < 29 + 39; ++y)
            for (int x = 268; x < 268 + 52; ++x)
                count += image.getPixelAt (x, y) != background ? 1 : 0;
        return count;
    };

    auto image = paintWorkspace();
    EXPECT_EQ (image.getPixelAt (0, 0), background);
    EXPECT_EQ (image.getPixelAt (824, 499), background);
    EXPECT_EQ (image.getPixelAt (600, 400), background);

    if (quilletComponent::quillet_svgSize > 0)
    {
        ASSERT_NE (ws->logoDrawable, nullptr) << "the program's logo data should be readable";
        EXPECT_GT (logoPixels (image), 0);
    }
    else
    {
        EXPECT_EQ (ws->logoDrawable, nullptr);
        EXPECT_EQ (logoPixels (image), 0);
    }

    // Image data that cannot be read gives no logo, and then only the background is painted.
    const char notAnImage[] = "this is neither an image nor an svg document";
    EXPECT_EQ (quilletComponent::CreateLogoDrawable (notAnImage, sizeof (notAnImage) - 1), nullptr);
    EXPECT_EQ (quilletComponent::CreateLogoDrawable (nullptr, 0), nullptr);

    ws->logoDrawable = quilletComponent::CreateLogoDrawable (notAnImage, sizeof (notAnImage) - 1);
    EXPECT_EQ (logoPixels (paintWorkspace()), 0);

    const char svg[] = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                       "<rect x=\"0\" y=\"0\" width=\"10\" height=\"10\" fill=\"#000000\"/></svg>";
    ws->logoDrawable = quilletComponent::CreateLogoDrawable (svg, sizeof (svg) - 1);
    ASSERT_NE (ws->logoDrawable, nullptr);
    EXPECT_GT (logoPixels (paintWorkspace()), 0);
}
