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

# Embedded typefaces and logo; resources/EmbeddedResources.h gives them the names the code uses.
set(VN5_RESOURCE_FILES
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/Cantarell-Regular.otf
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/Caladea-Regular.ttf
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/Korvel.png)
juce_add_binary_data(vn5_resources
    HEADER_NAME BinaryData.h
    NAMESPACE BinaryData
    SOURCES ${VN5_RESOURCE_FILES})
set_target_properties(vn5_resources PROPERTIES POSITION_INDEPENDENT_CODE ON)

# The generator only depends on its list of files; rebuild the data when a file changes too.
get_target_property(vn5_resource_sources vn5_resources SOURCES)
list(GET vn5_resource_sources 0 vn5_resource_first_output)
add_custom_command(OUTPUT ${vn5_resource_first_output} APPEND DEPENDS ${VN5_RESOURCE_FILES})

# Draws resources/Korvel.png (scripts/make-logo.sh); not part of the normal build.
add_executable(vn5_make_logo EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/resources/logo/MakeLogo.cpp)
target_link_libraries(vn5_make_logo PRIVATE vn5_juce)
target_compile_options(vn5_make_logo PRIVATE -Wall -Wextra)
