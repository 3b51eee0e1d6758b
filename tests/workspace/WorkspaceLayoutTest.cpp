// The workspace as it stands after construction: its controls and their
// focus order, the proportional layout and the painted background and logo.
#include "WorkspaceTestSupport.h"

using namespace workspace_test;
using WorkspaceLayout = WorkspaceFixture;

namespace
{
struct ControlRow
{
    juce::Component* (*get) (quilletComponent&);
    const char* name;
    int focusOrder;
    juce::Rectangle<int> design; // at 825 x 500
};

#define MEMBER(m)                                                                                                      \
    [] (quilletComponent& w) -> juce::Component* { return w.m.get(); }, #m

// The 21 controls in creation order.
const ControlRow controls[] = {
    {MEMBER (ideasGroup), 0, {8, 8, 248, 480}},         {MEMBER (lyricsGroup), 0, {264, 8, 552, 240}},
    {MEMBER (versesGroup), 0, {264, 259, 552, 229}},    {MEMBER (createLyricsButton), 4, {272, 80, 160, 32}},
    {MEMBER (ruleLabel), 0, {280, 168, 96, 40}},        {MEMBER (ideasLabel), 0, {24, 16, 168, 40}},
    {MEMBER (historyListBox), 6, {312, 328, 488, 144}}, {MEMBER (replaceButton), 8, {520, 291, 56, 24}},
    {MEMBER (historyLabel), 0, {312, 283, 120, 40}},    {MEMBER (deleteButton), 10, {664, 291, 64, 24}},
    {MEMBER (deleteAllButton), 11, {736, 291, 64, 24}}, {MEMBER (lyricsEditor), 4, {448, 24, 352, 176}},
    {MEMBER (ideaEditor1), 1, {24, 48, 216, 136}},      {MEMBER (ideaEditor2), 2, {24, 192, 216, 136}},
    {MEMBER (ideaEditor3), 3, {24, 336, 216, 136}},     {MEMBER (moveUpButton), 12, {280, 336, 24, 24}},
    {MEMBER (moveDownButton), 13, {280, 448, 24, 24}},  {MEMBER (deleteRuleButton), 15, {376, 176, 56, 24}},
    {MEMBER (ruleComboBox), 14, {280, 210, 521, 24}},   {MEMBER (addButton), 7, {456, 291, 56, 24}},
    {MEMBER (editButton), 9, {592, 291, 56, 24}},
};
} // namespace

TEST_F (WorkspaceLayout, ControlsInCreationOrderWithFocusOrderAndBoundsScaledByTruncation)
{
    ASSERT_EQ (ws->getNumChildComponents(), 21);
    for (int i = 0; i < 21; ++i)
    {
        auto* control = controls[i].get (*ws);
        EXPECT_EQ (ws->getChildComponent (i), control) << "control " << i;
        EXPECT_TRUE (control->isVisible());
        EXPECT_EQ (control->getExplicitFocusOrder(), controls[i].focusOrder) << controls[i].name;
    }

    // Each product truncated toward zero; a zero width or height keeps the design rectangles.
    const std::pair<int, int> sizes[] = {{1650, 1000}, {412, 250}, {1000, 333}, {0, 0}, {825, 0}, {825, 500}};
    for (auto [width, height] : sizes)
    {
        ws->setSize (width, height);
        const bool empty = width == 0 || height == 0;
        const double sx = empty ? 1.0 : width / 825.0, sy = empty ? 1.0 : height / 500.0;
        for (auto& row : controls)
        {
            const auto r = row.design;
            EXPECT_EQ (row.get (*ws)->getBounds(),
                       juce::Rectangle<int> ((int)(r.getX() * sx), (int)(r.getY() * sy), (int)(r.getWidth() * sx),
                                             (int)(r.getHeight() * sy)))
                << row.name << " at " << width << " x " << height;
        }
    }

    // 272 * 412 / 825 = 135.8 and 160 * 412 / 825 = 79.9: truncated, not rounded.
    ws->setSize (412, 250);
    EXPECT_EQ (ws->createLyricsButton->getBounds(), juce::Rectangle<int> (135, 40, 79, 16));
}

TEST_F (WorkspaceLayout, StartsAsAnUnchangedDocumentWithTheTwoRulesAndAppliesTheFirstFromTheMessageLoop)
{
    ws = std::make_unique<quilletComponent>();
    EXPECT_FALSE (ws->hasChangedSinceSaved());
    EXPECT_EQ (rules(), "4 4 4 4|4 5 4 5 : 4 4 4 4");
    EXPECT_EQ (ws->historyListBox->getNumRows(), 0);
    EXPECT_TRUE (ws->m_documentPath.isEmpty() && ws->m_documentTitle.isEmpty());
    EXPECT_EQ (ws->lyricsEditor->mp_quillet, &ws->m_quillet);
    EXPECT_EQ (ws->ideaEditor3->mp_quilletComponent, static_cast<quilletWorkspaceLink*> (ws.get()));

    // Only the selection delivered later gives the word map the rule's counts rather than its defaults.
    const auto& map = ws->m_quillet.m_wordMap;
    EXPECT_EQ (map.m_wordCountInLine[0], 0);
    pump();
    EXPECT_EQ (std::vector<int> (map.m_wordCountInLine, map.m_wordCountInLine + map.m_lineCount), std::vector (4, 4));
    EXPECT_FALSE (ws->hasChangedSinceSaved()) << "applying a rule does not change the document";
}

TEST_F (WorkspaceLayout, PaintsTheBackgroundAndTheLogoOnlyWhereItsImageDataCanBeRead)
{
    // Pixels of the logo's rectangle (about 268, 29, 52, 39) that differ from the background, and the corners.
    auto paint = [this]
    {
        juce::Image image (juce::Image::ARGB, 825, 500, true);
        juce::Graphics g (image);
        ws->paint (g);
        int logo = 0;
        for (int y = 29; y < 29 + 39; ++y)
            for (int x = 268; x < 268 + 52; ++x)
                logo += image.getPixelAt (x, y) != juce::Colour (0xfffcefef) ? 1 : 0;
        return image.getPixelAt (0, 0).toDisplayString (true) + image.getPixelAt (824, 499).toDisplayString (true) +
               (logo > 0 ? " logo" : " none");
    };

    const juce::String background = "FFFCEFEFFFFCEFEF";
    EXPECT_EQ (paint(), background + (quilletComponent::quillet_svgSize > 0 ? " logo" : " none"));
    EXPECT_EQ (ws->logoDrawable != nullptr, quilletComponent::quillet_svgSize > 0);

    // Data that is no image gives no logo, and then only the background is painted.
    const char notAnImage[] = "this is neither an image nor an svg document";
    ws->logoDrawable = quilletComponent::CreateLogoDrawable (notAnImage, sizeof (notAnImage) - 1);
    EXPECT_EQ (ws->logoDrawable, nullptr);
    EXPECT_EQ (paint(), background + " none");
}
