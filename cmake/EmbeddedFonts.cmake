# The four fonts embedded in launcher.exe as "FONTS" resources come from Debian's font packages
# (tools/setup.sh installs them); nothing binary is kept in the repository. The resource ids are
# the ones the launcher looks the fonts up by.
#   launcher_embed_fonts(<target>): writes fonts.rc, which the target's launcher.rc includes.

set(LAUNCHER_FONT_THAI /usr/share/fonts/truetype/tlwg/Loma.ttf
    CACHE FILEPATH "Thai regular font, resource 138 (fonts-tlwg-loma-ttf)")
set(LAUNCHER_FONT_THAI_BOLD /usr/share/fonts/truetype/tlwg/Loma-Bold.ttf
    CACHE FILEPATH "Thai bold font, resource 139 (fonts-tlwg-loma-ttf)")
set(LAUNCHER_FONT_CJK /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
    CACHE FILEPATH "CJK regular font, resource 143 (fonts-noto-cjk)")
set(LAUNCHER_FONT_CJK_BOLD /usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
    CACHE FILEPATH "CJK bold font, resource 142 (fonts-noto-cjk)")

function(launcher_embed_fonts target)
    set(fonts "")
    set(resources "")
    foreach(entry LAUNCHER_FONT_THAI:138 LAUNCHER_FONT_THAI_BOLD:139 LAUNCHER_FONT_CJK:143 LAUNCHER_FONT_CJK_BOLD:142)
        string(REPLACE ":" ";" entry ${entry})
        list(GET entry 0 variable)
        list(GET entry 1 id)
        set(file ${${variable}})
        if(NOT EXISTS "${file}")
            message(FATAL_ERROR "The font ${file} (${variable}) is missing: install the Debian packages "
                                "fonts-tlwg-loma-ttf and fonts-noto-cjk (tools/setup.sh does), or point "
                                "${variable} at the file.")
        endif()
        string(APPEND resources "${id} FONTS \"${file}\"\n")
        list(APPEND fonts ${file})
    endforeach()
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_fonts)
    file(CONFIGURE OUTPUT ${generated}/fonts.rc CONTENT "${resources}")
    target_include_directories(${target} PRIVATE ${generated})
    # The resource compiler's includes are not scanned for dependencies.
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.rc$")
    set_source_files_properties(${sources} TARGET_DIRECTORY ${target}
                                PROPERTIES OBJECT_DEPENDS "${generated}/fonts.rc;${fonts}")
endfunction()
