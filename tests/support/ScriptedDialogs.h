#pragma once

#include "ModalDialogs.h"

#include <deque>

/** Test stand-in for ModalDialogs: records every question and answers from
    queues that the test fills beforehand. An empty queue answers "cancel".
    Installs itself for its lifetime. */
class ScriptedDialogs : public ModalDialogs
{
public:
    struct Shown
    {
        juce::String kind, title, message;
        juce::MessageBoxIconType icon = juce::MessageBoxIconType::NoIcon;
    };

    ScriptedDialogs() { ModalDialogs::install (this); }
    ~ScriptedDialogs() override { ModalDialogs::install (nullptr); }

    std::vector<Shown> shown;
    juce::StringArray openedAddresses;
    std::deque<bool> okCancelAnswers;
    std::deque<int> yesNoCancelAnswers;
    std::deque<juce::File> filesToOpen, filesToSave;

    void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title,
                         const juce::String& message) override
    {
        shown.push_back ({ "message", title, message, icon });
    }

    bool showOkCancelBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                          const juce::String&, const juce::String&) override
    {
        shown.push_back ({ "okcancel", title, message, icon });
        return pop (okCancelAnswers, false);
    }

    int showYesNoCancelBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                            const juce::String&, const juce::String&, const juce::String&) override
    {
        shown.push_back ({ "yesnocancel", title, message, icon });
        return pop (yesNoCancelAnswers, 0);
    }

    juce::File browseForFileToOpen (const juce::String& title, const juce::File&, const juce::String&) override
    {
        shown.push_back ({ "open", title, {} });
        return pop (filesToOpen, juce::File());
    }

    juce::File browseForFileToSave (const juce::String& title, const juce::File&, const juce::String&, bool) override
    {
        shown.push_back ({ "save", title, {} });
        return pop (filesToSave, juce::File());
    }

    void openAddress (const juce::String& address) override { openedAddresses.add (address); }

    int count (const juce::String& kind) const
    {
        int n = 0;
        for (auto& s : shown)
            n += s.kind == kind ? 1 : 0;
        return n;
    }

private:
    template <typename T>
    static T pop (std::deque<T>& queue, T whenEmpty)
    {
        if (queue.empty())
            return whenEmpty;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};
