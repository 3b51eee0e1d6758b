#include "quillet_MultiDocumentPanel.h"

#include "quilletComponent.h"
#include "quilletSaveQuestion.h"

#if QUILLET_HAVE_RESOURCES
#include "quilletResources.h"
#endif

quillet_MultiDocumentPanel::quillet_MultiDocumentPanel()
{
#if QUILLET_HAVE_RESOURCES
    logoDrawable =
        juce::Drawable::createFromImageData (quilletResources::quillet_svg, (size_t)quilletResources::quillet_svgSize);
#endif
}

quillet_MultiDocumentPanel::~quillet_MultiDocumentPanel() = default;

void quillet_MultiDocumentPanel::paint (juce::Graphics& g)
{
    juce::MultiDocumentPanel::paint (g);

    // Seen wherever no document covers the panel: with none open, or between floating windows.
    if (logoDrawable != nullptr)
        logoDrawable->drawWithin (g,
                                  juce::Rectangle<int> (proportionOfWidth (0.3f), proportionOfHeight (0.3f),
                                                        proportionOfWidth (0.4f), proportionOfHeight (0.4f))
                                      .toFloat(),
                                  juce::RectanglePlacement::xMid | juce::RectanglePlacement::yMid, 1.0f);
}

bool quillet_MultiDocumentPanel::tryToCloseDocument (juce::Component* component)
{
    if (component == mp_documentAlreadyAsked)
        return true;

    if (auto* document = dynamic_cast<quilletComponent*> (component))
        return AskToSaveChangesIfNeeded (*document) == juce::FileBasedDocument::savedOk;

    return true;
}

void quillet_MultiDocumentPanel::tryToCloseDocumentAsync (juce::Component* component,
                                                          std::function<void (bool)> callback)
{
    const bool mayClose = tryToCloseDocument (component);

    if (callback != nullptr)
        callback (mayClose);
}

bool quillet_MultiDocumentPanel::CloseDocumentAlreadyAsked (juce::Component* component)
{
    const juce::ScopedValueSetter<juce::Component*> alreadyAsked (mp_documentAlreadyAsked, component);
    return closeDocument (component, true);
}
