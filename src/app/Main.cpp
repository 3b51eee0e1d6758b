// The program: the framework runs the application object's message loop.
#include "quilletApplication.h"

namespace
{
juce::JUCEApplicationBase* createQuilletApplication()
{
    return new quilletApplication();
}
} // namespace

int main (int argc, char* argv[])
{
    juce::JUCEApplicationBase::createInstance = &createQuilletApplication;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
