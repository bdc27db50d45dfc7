# JUCE is compiled once into one static library that the program, the tests and the
# harness all link, instead of once per target as the juce_add_* helpers would do.

add_library(vn5_juce STATIC)

target_link_libraries(vn5_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_audio_basics
        juce::juce_audio_devices
        juce::juce_audio_formats
        juce::juce_audio_processors
        juce::juce_audio_utils
    PUBLIC
        juce::juce_recommended_config_flags
        juce::pkgconfig_JUCE_IMG_LINUX_DEPS)

target_compile_definitions(vn5_juce
    PUBLIC
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_USE_FLAC=0
        JUCE_USE_OGGVORBIS=0
        JUCE_MODAL_LOOPS_PERMITTED=1
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_STRICT_REFCOUNTEDPOINTER=1
        JUCE_SILENCE_XCODE_15_LINKER_WARNING=1
        $<$<CONFIG:Debug>:JUCE_LOG_ASSERTIONS=1>
    INTERFACE
        $<TARGET_PROPERTY:vn5_juce,COMPILE_DEFINITIONS>)

target_include_directories(vn5_juce INTERFACE $<TARGET_PROPERTY:vn5_juce,INCLUDE_DIRECTORIES>)

# JUCE's own sources are not ours to keep warning-free.
target_compile_options(vn5_juce PRIVATE -w)
set_target_properties(vn5_juce PROPERTIES POSITION_INDEPENDENT_CODE ON)
