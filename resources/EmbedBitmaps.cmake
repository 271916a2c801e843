# Compiles every resources/bitmaps/<id>-<name>.bmp into the core as bytes that
# EmbeddedBitmapFile(id) hands out. Changing a bitmap reconfigures and rebuilds.
file(GLOB bitmap_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/bitmaps/*.bmp)
list(SORT bitmap_files)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${bitmap_files})

set(arrays "")
string(REPEAT "0x..," 16 sixteen_bytes)
set(cases "")
foreach(bitmap ${bitmap_files})
    get_filename_component(name ${bitmap} NAME)
    string(REGEX MATCH "^[0-9]+" id ${name})
    if(NOT id)
        message(FATAL_ERROR "${name}: a bitmap's file name starts with its resource identifier")
    endif()
    file(READ ${bitmap} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n    " bytes "${bytes}")
    string(STRIP "${bytes}" bytes)
    string(APPEND arrays "// ${name}\nconst std::uint8_t kBitmap${id}[] = {\n    ${bytes}\n};\n")
    string(APPEND cases "        case ${id}:\n            return kBitmap${id};\n")
endforeach()

set(embedded ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedBitmapData.cpp)
file(WRITE ${embedded}.new
"// Made by resources/EmbedBitmaps.cmake from resources/bitmaps; do not edit.
#include \"resources/EmbeddedBitmaps.h\"

namespace {

${arrays}
}  // namespace

std::span<const std::uint8_t> EmbeddedBitmapFile(int id) {
    switch (id) {
${cases}        default:
            return {};
    }
}
")
file(COPY_FILE ${embedded}.new ${embedded} ONLY_IF_DIFFERENT)
file(REMOVE ${embedded}.new)
target_sources(deckfall_core PRIVATE ${embedded})
