# The icons are drawn in SVG here and rendered at build time (tools/render-icons) to PNG
# pictures at the sizes below: into <build>/icons, where an icon theme can take them, and
# into a source file of the Qt host, which reads PNG only. Each drawing's name starts with
# its resource identifier. The program icon has a drawing of its own for the small sizes
# (108, drawn on the 16-pixel grid) and one for the rest (130); the window gets both.
# Qt's SVG module draws SVG Tiny 1.2: no clip paths, masks or filters (the tool fails the
# build on anything it cannot draw).
set(deckfall_icon_drawings
    108-deckfall-small.svg=16,22,24
    130-deckfall.svg=32,48,64,128,256
    136-heart.svg=16,24,32,48,64,128
    137-club.svg=16,24,32,48,64,128
    138-diamond.svg=16,24,32,48,64,128
    139-spade.svg=16,24,32,48,64,128)

# deckfall_embed_icons(<target>): renders the drawings and compiles the pictures into the target.
function(deckfall_embed_icons target)
    set(folder ${CMAKE_BINARY_DIR}/icons)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedIconData.cpp)
    set(arguments "")
    set(drawings "")
    set(pictures "")
    foreach(entry ${deckfall_icon_drawings})
        string(REGEX MATCH "^(([0-9]+)-[^=]+)=(.+)$" matched ${entry})
        set(drawing ${CMAKE_SOURCE_DIR}/resources/icons/${CMAKE_MATCH_1})
        set(id ${CMAKE_MATCH_2})
        string(REPLACE "," ";" sizes ${CMAKE_MATCH_3})
        list(APPEND drawings ${drawing})
        list(APPEND arguments ${drawing}=${CMAKE_MATCH_3})
        foreach(size ${sizes})
            list(APPEND pictures ${folder}/${id}-${size}.png)
        endforeach()
    endforeach()
    set(run "")
    if(DECKFALL_SANITIZE)
        # Qt's own allocations outlive the tool; only the pictures matter here.
        set(run ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0)
    endif()
    add_custom_command(
        OUTPUT ${source} ${pictures}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${run} $<TARGET_FILE:deckfall-render-icons> ${folder} ${source} ${arguments}
        DEPENDS ${drawings} deckfall-render-icons
        COMMENT "Rendering the icons"
        VERBATIM)
    target_sources(${target} PRIVATE ${source})
endfunction()
