#pragma once

#include "quilletComponent.h"

#include "SimpleTextListBox.h"
#include "lyricTextEditor.h"
#include "searchableTextEditor.h"

#include <gtest/gtest.h>

namespace workspace_test
{
/** Lets the message loop deliver what was posted (the rule box's change notifications). */
inline void pump (int milliseconds = 30)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

/** Types a rule as the user does: into the rule box's own text field, which
    notifies the box, which notifies the workspace later from the message loop. */
inline void typeRule (quilletComponent& ws, const juce::String& text)
{
    for (auto* child : ws.ruleComboBox->getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            label->setText (text, juce::sendNotification);

    pump();
}

/** A string list from literals and Strings alike (StringArray's own braces are ambiguous for two items). */
inline juce::StringArray strings (std::initializer_list<juce::String> items)
{
    juce::StringArray result;
    for (auto& item : items)
        result.add (item);
    return result;
}

inline juce::StringArray ruleEntries (const quilletComponent& ws)
{
    juce::StringArray entries;

    for (int i = 0; i < ws.ruleComboBox->getNumItems(); ++i)
        entries.add (ws.ruleComboBox->getItemText (i));

    return entries;
}

/** The word map's shape: one count per line. */
inline std::vector<int> shapeOf (quilletComponent& ws)
{
    std::vector<int> shape;
    auto& map = ws.m_quillet.m_wordMap;

    for (int line = 0; line < map.m_lineCount; ++line)
        shape.push_back (map.GetWordCountInLine (line));

    return shape;
}

inline juce::StringArray historyEntries (quilletComponent& ws)
{
    juce::StringArray entries;

    for (int i = 0; i < ws.historyListBox->getNumRows(); ++i)
        entries.add (ws.historyListBox->GetString (i));

    return entries;
}

/** A workspace whose start-up rule has been applied, with the given history. */
inline std::unique_ptr<quilletComponent> makeWorkspace (std::initializer_list<juce::String> history = {})
{
    auto ws = std::make_unique<quilletComponent>();
    pump();

    for (auto& entry : history)
        ws->historyListBox->AddString (entry);

    ws->setChangedFlag (false);
    return ws;
}

/** Clicks a button the way the framework delivers a click: through its listeners, from the message loop. */
inline void press (juce::Button& button)
{
    button.triggerClick();
    pump();
}
} // namespace workspace_test
