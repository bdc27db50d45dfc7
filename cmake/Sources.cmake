# The system's own sources, by folder. Main.cpp is the program's entry and stays out of
# the shared library so that the tests and the harness can link it.

file(GLOB_RECURSE VN5_CORE_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/compat/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/protocol/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/protocol/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/lookandfeel/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/lookandfeel/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/panels/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/panels/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/*.h)
list(FILTER VN5_CORE_SOURCES EXCLUDE REGEX ".*/app/Main\\.cpp$")

# Embedded typefaces and logo.
juce_add_binary_data(vn5_resources
    HEADER_NAME BinaryData.h
    NAMESPACE BinaryData
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/Cantarell-Regular.otf
        ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/Caladea-Regular.ttf)
set_target_properties(vn5_resources PROPERTIES POSITION_INDEPENDENT_CODE ON)
