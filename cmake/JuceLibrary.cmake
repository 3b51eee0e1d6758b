# The JUCE modules, compiled once into one static library that the program,
# every test and every benchmark link. Consumers get the modules' include
# folders and definitions through the INTERFACE properties set below.
add_library(quillet_juce STATIC)

target_link_libraries(quillet_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
    PUBLIC
        juce::juce_recommended_config_flags)

# Debian's JUCE reads PNG and JPEG through the system's libpng and libjpeg. juce_add_gui_app would link them;
# a plain library has to do so itself, or every program that uses the graphics code fails to link.
if(TARGET juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
    target_link_libraries(quillet_juce PRIVATE juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
endif()

target_compile_definitions(quillet_juce
    PUBLIC
        JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
        JUCE_STANDALONE_APPLICATION=1
        JUCE_MODAL_LOOPS_PERMITTED=1
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_STRICT_REFCOUNTEDPOINTER=1)

# Re-export what the (private) module targets give the library itself.
target_include_directories(quillet_juce INTERFACE
    $<TARGET_PROPERTY:quillet_juce,INCLUDE_DIRECTORIES>)
target_compile_definitions(quillet_juce INTERFACE
    $<TARGET_PROPERTY:quillet_juce,COMPILE_DEFINITIONS>)

set_target_properties(quillet_juce PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    VISIBILITY_INLINES_HIDDEN ON
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden)
