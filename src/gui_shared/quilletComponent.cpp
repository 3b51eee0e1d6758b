// The workspace's construction, layout and painting. Its actions, export and
// document handling live in the other quilletComponent*.cpp files.
#include "quilletComponent.h"

#include "SimpleTextListBox.h"
#include "lyricTextEditor.h"
#include "searchableTextEditor.h"

#if QUILLET_HAS_LOGO_RESOURCE
#include "quilletResources.h"
#endif

namespace
{
// Every child's rectangle in the 825 x 500 design that resized() scales from.
constexpr int designWidth = 825;
constexpr int designHeight = 500;

const juce::Colour buttonColour{0xfff4999a};
const juce::Colour groupOutlineColour{0xff991b1e};
const juce::Colour darkTextColour{0xff00001e};
const juce::Colour backgroundColour{0xfffcefef};

std::unique_ptr<juce::GroupComponent> makeGroup (const juce::String& text, juce::Colour textColour)
{
    auto group = std::make_unique<juce::GroupComponent> ("new group", text);
    group->setColour (juce::GroupComponent::outlineColourId, groupOutlineColour);
    group->setColour (juce::GroupComponent::textColourId, textColour);
    return group;
}

std::unique_ptr<juce::Label> makeLabel (const juce::String& text, const juce::String& tooltip, juce::Colour textColour)
{
    auto label = std::make_unique<juce::Label> ("new label", text);
    label->setTooltip (tooltip);
    label->setFont (juce::Font (15.0f, juce::Font::plain));
    label->setJustificationType (juce::Justification::centredLeft);
    label->setEditable (false, false, false);
    label->setColour (juce::Label::textColourId, textColour);
    label->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    label->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
    return label;
}

void setUpTextEditor (juce::TextEditor& editor)
{
    editor.setMultiLine (true, true);
    editor.setReturnKeyStartsNewLine (true);
    editor.setReadOnly (false);
    editor.setScrollbarsShown (true);
    editor.setCaretVisible (true);
    editor.setPopupMenuEnabled (true);
    editor.setText (juce::String(), true);
}
} // namespace

quilletDocumentHost* quilletComponent::mp_quillet_Window = nullptr;

#if QUILLET_HAS_LOGO_RESOURCE
const char* const quilletComponent::quillet_svg = quilletResources::quillet_svg;
const int quilletComponent::quillet_svgSize = quilletResources::quillet_svgSize;
#else
// The program carries no logo yet: paint() then draws the background only.
const char* const quilletComponent::quillet_svg = nullptr;
const int quilletComponent::quillet_svgSize = 0;
#endif

void quilletComponent::SetMainWindow (quilletDocumentHost* window)
{
    mp_quillet_Window = window;
}

std::unique_ptr<juce::Drawable> quilletComponent::CreateLogoDrawable (const void* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0)
        return {};

    return juce::Drawable::createFromImageData (data, numBytes);
}

//==============================================================================
quilletComponent::quilletComponent()
    : juce::FileBasedDocument (".quillet", "*.quillet;*.txt", "Choose a quillet file to open",
                               "Choose a quillet file to save as...")
{
    auto makeButton = [this] (std::unique_ptr<juce::TextButton>& member, const juce::String& text,
                              const juce::String& tooltip, int focusOrder, const juce::String& name = {})
    {
        member = std::make_unique<juce::TextButton> (name);
        addAndMakeVisible (member.get());
        member->setButtonText (text);
        member->setTooltip (tooltip);
        member->setExplicitFocusOrder (focusOrder);
        member->addListener (this);
        member->setColour (juce::TextButton::buttonColourId, buttonColour);
    };

    ideasGroup = makeGroup ("1. Ideas", darkTextColour);
    addAndMakeVisible (ideasGroup.get());
    lyricsGroup = makeGroup ("2. Lyrics", darkTextColour);
    addAndMakeVisible (lyricsGroup.get());
    versesGroup = makeGroup ("3. Verses", juce::Colours::black);
    addAndMakeVisible (versesGroup.get());

    makeButton (createLyricsButton, "Create Lyrics --->", "Use your Idea Text to generate a Lyric!", 4);

    ruleLabel = makeLabel ("Lyric Rule: type, edit or select:",
                           "Use this Rule to create your Lyric... add your own Rules by editing the text!",
                           juce::Colours::black);
    addAndMakeVisible (ruleLabel.get());
    ideasLabel = makeLabel ("Put your Idea text here...",
                            "Type or paste your Idea Text into any of these windows:", darkTextColour);
    addAndMakeVisible (ideasLabel.get());

    historyListBox = std::make_unique<SimpleTextListBox> ("lyrichistorylistbox");
    addAndMakeVisible (historyListBox.get());
    historyListBox->setExplicitFocusOrder (6);

    makeButton (replaceButton, "Replace", "Replace current list item with your Lyric!", 8);

    historyLabel = makeLabel ("Add your created Lyrics here!",
                              "Copy your Lyric  from above; select Replace to replace current entry or Add to put at "
                              "end. Press Edit to re-edit current item!",
                              darkTextColour);
    addAndMakeVisible (historyLabel.get());

    makeButton (deleteButton, "Delete", "Delete current entry from the list!", 10);
    makeButton (deleteAllButton, "Delete All", "Delete all entries from the list!", 11);

    lyricsEditor = std::make_unique<lyricTextEditor> ("LyricsTextEditor", (wchar_t)0);
    addAndMakeVisible (lyricsEditor.get());
    lyricsEditor->setExplicitFocusOrder (4);

    ideaEditor1 = std::make_unique<searchableTextEditor> ("TextEditor1", (wchar_t)0);
    addAndMakeVisible (ideaEditor1.get());
    ideaEditor1->setExplicitFocusOrder (1);
    ideaEditor2 = std::make_unique<searchableTextEditor> ("TextEditor2", (wchar_t)0);
    addAndMakeVisible (ideaEditor2.get());
    ideaEditor2->setExplicitFocusOrder (2);
    ideaEditor3 = std::make_unique<searchableTextEditor> ("TextEditor3", (wchar_t)0);
    addAndMakeVisible (ideaEditor3.get());
    ideaEditor3->setExplicitFocusOrder (3);

    makeButton (moveUpButton, "^", "Move list item Up", 12);
    makeButton (moveDownButton, "v", "Move list item down", 13);
    makeButton (deleteRuleButton, "Delete", "Delete current Rule!", 15, "new button");

    ruleComboBox = std::make_unique<juce::ComboBox> ("rulecombobox");
    addAndMakeVisible (ruleComboBox.get());
    ruleComboBox->setTooltip ("Select or edit your current Rule");
    ruleComboBox->setExplicitFocusOrder (14);
    ruleComboBox->setEditableText (true);
    ruleComboBox->setJustificationType (juce::Justification::centredLeft);
    ruleComboBox->setTextWhenNothingSelected (juce::String());
    ruleComboBox->setTextWhenNoChoicesAvailable (juce::String());
    ruleComboBox->addListener (this);

    makeButton (addButton, "Add", "Add Lyric to end of the list!", 7);
    makeButton (editButton, "Edit", "Edit current list item in the Lyric editor!", 9);

    logoDrawable = CreateLogoDrawable (quillet_svg, (size_t)juce::jmax (0, quillet_svgSize));

    ruleComboBox->setColour (juce::ComboBox::buttonColourId, buttonColour);
    setUpTextEditor (*ideaEditor1);
    setUpTextEditor (*ideaEditor2);
    setUpTextEditor (*ideaEditor3);
    setUpTextEditor (*lyricsEditor);

    m_designBounds = {0, 0, designWidth, designHeight};
    setSize (designWidth, designHeight);
    mp_recentFiles = nullptr;
    m_documentPath = {};
    m_documentTitle = {};

    lyricsEditor->SetQuillet (&m_quillet);
    lyricsEditor->SetQuilletComponent (this);
    ideaEditor1->SetQuilletComponent (this);
    ideaEditor2->SetQuilletComponent (this);
    ideaEditor3->SetQuilletComponent (this);

    // The selection reaches comboBoxChanged() from the message loop, which then
    // applies the default shape to the engine.
    ruleComboBox->addItem ("4 4 4 4", 1);
    ruleComboBox->addItem ("4 5 4 5", 2);
    ruleComboBox->setSelectedItemIndex (0, juce::sendNotification);

    historyListBox->mp_callbackContext = this;
    historyListBox->mp_itemCallback = MyListBoxItemEvent;

    setChangedFlag (false);
}

quilletComponent::~quilletComponent()
{
    // Children go in creation order; the engine (a member) outlives the lyric
    // editor that points to it.
    ideasGroup = nullptr;
    lyricsGroup = nullptr;
    versesGroup = nullptr;
    createLyricsButton = nullptr;
    ruleLabel = nullptr;
    ideasLabel = nullptr;
    historyListBox = nullptr;
    replaceButton = nullptr;
    historyLabel = nullptr;
    deleteButton = nullptr;
    deleteAllButton = nullptr;
    lyricsEditor = nullptr;
    ideaEditor1 = nullptr;
    ideaEditor2 = nullptr;
    ideaEditor3 = nullptr;
    moveUpButton = nullptr;
    moveDownButton = nullptr;
    deleteRuleButton = nullptr;
    ruleComboBox = nullptr;
    addButton = nullptr;
    editButton = nullptr;
    logoDrawable = nullptr;
}

//==============================================================================
void quilletComponent::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);

    if (logoDrawable == nullptr)
        return;

    const juce::Rectangle<float> logoArea ((float)proportionOfWidth (0.3252f), (float)proportionOfHeight (0.0571f),
                                           (float)proportionOfWidth (0.0632f), (float)proportionOfHeight (0.0772f));
    logoDrawable->drawWithin (g, logoArea, juce::RectanglePlacement::centred, 1.0f);
}

void quilletComponent::applyDesignBounds()
{
    ideasGroup->setBounds (8, 8, 248, 480);
    lyricsGroup->setBounds (264, 8, 552, 240);
    versesGroup->setBounds (264, 259, 552, 229);
    createLyricsButton->setBounds (272, 80, 160, 32);
    ruleLabel->setBounds (280, 168, 96, 40);
    ideasLabel->setBounds (24, 16, 168, 40);
    historyListBox->setBounds (312, 328, 488, 144);
    replaceButton->setBounds (520, 291, 56, 24);
    historyLabel->setBounds (312, 283, 120, 40);
    deleteButton->setBounds (664, 291, 64, 24);
    deleteAllButton->setBounds (736, 291, 64, 24);
    lyricsEditor->setBounds (448, 24, 352, 176);
    ideaEditor1->setBounds (24, 48, 216, 136);
    ideaEditor2->setBounds (24, 192, 216, 136);
    ideaEditor3->setBounds (24, 336, 216, 136);
    moveUpButton->setBounds (280, 336, 24, 24);
    moveDownButton->setBounds (280, 448, 24, 24);
    deleteRuleButton->setBounds (376, 176, 56, 24);
    ruleComboBox->setBounds (280, 210, 521, 24);
    addButton->setBounds (456, 291, 56, 24);
    editButton->setBounds (592, 291, 56, 24);
}

void quilletComponent::resized()
{
    applyDesignBounds();

    const int width = getWidth();
    const int height = getHeight();

    if (width == 0 || height == 0)
        return;

    const double sx = (double)width / (double)m_designBounds.getWidth();
    const double sy = (double)height / (double)m_designBounds.getHeight();

    // Truncation toward zero, as the design was drawn: 412 x 250 puts the
    // generate button at 135, 40, 79, 16.
    for (auto* child : getChildren())
    {
        const auto b = child->getBounds();
        child->setBounds ((int)(b.getX() * sx), (int)(b.getY() * sy), (int)(b.getWidth() * sx),
                          (int)(b.getHeight() * sy));
    }
}
