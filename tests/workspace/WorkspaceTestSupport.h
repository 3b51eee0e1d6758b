#pragma once

#include "ScriptedDialogs.h"
#include "SimpleTextListBox.h"
#include "lyricTextEditor.h"
#include "quilletComponent.h"
#include "searchableTextEditor.h"

#include <gtest/gtest.h>

namespace workspace_test
{
/** Lets the message loop deliver what was posted (clicks, the rule box's change notifications). */
inline void pump()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
}

/** A workspace whose start-up rule has been applied, unchanged, with scripted dialogs and a scratch folder. */
struct WorkspaceFixture : public ::testing::Test
{
    ScriptedDialogs dialogs;
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("quillet-workspace-test", {}, false);
    std::unique_ptr<quilletComponent> ws = std::make_unique<quilletComponent>();

    WorkspaceFixture()
    {
        folder.createDirectory();
        pump();
        ws->setChangedFlag (false);
    }

    ~WorkspaceFixture() override { folder.deleteRecursively(); }

    void setHistory (std::initializer_list<juce::String> entries)
    {
        ws->historyListBox->ResetContent();
        for (auto& entry : entries)
            ws->historyListBox->AddString (entry);
        ws->setChangedFlag (false);
    }

    juce::String history() const { return ws->historyListBox->m_items.joinIntoString ("|"); }

    /** The rule box's entries joined by "|", then " : " and the text it shows. */
    juce::String rules() const
    {
        juce::StringArray entries;
        for (int i = 0; i < ws->ruleComboBox->getNumItems(); ++i)
            entries.add (ws->ruleComboBox->getItemText (i));
        return entries.joinIntoString ("|") + " : " + ws->ruleComboBox->getText();
    }

    /** The word map's shape as a rule: one count per line. */
    juce::String shape() const
    {
        juce::StringArray counts;
        for (int line = 0; line < ws->m_quillet.m_wordMap.m_lineCount; ++line)
            counts.add (juce::String (ws->m_quillet.m_wordMap.GetWordCountInLine (line)));
        return counts.joinIntoString (" ");
    }

    /** Every box and chooser shown so far as "kind: title", joined by " / ". */
    juce::String shown() const
    {
        juce::StringArray result;
        for (auto& s : dialogs.shown)
            result.add (s.kind + ": " + s.title);
        return result.joinIntoString (" / ");
    }

    /** Clicks a button the way the framework delivers a click: through its listeners, from the message loop. */
    static void press (juce::Button& button)
    {
        button.triggerClick();
        pump();
    }

    /** Types a rule into the rule box's own text field, which notifies the workspace later from the message loop. */
    void typeRule (const juce::String& text, juce::NotificationType notification = juce::sendNotification)
    {
        for (auto* child : ws->ruleComboBox->getChildren())
            if (auto* label = dynamic_cast<juce::Label*> (child))
                label->setText (text, notification);
        pump();
    }
};
} // namespace workspace_test
