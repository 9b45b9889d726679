# The skin archive's content as one folder: resources/ with the images that
# tools/make_skin_images.py draws laid over it, in ${LAUNCHER_SKIN_STAGE}/resources. The
# archive is packed from there, tests and tools/skin-render.sh read it there. The images are
# drawn again only when the drawing scripts change; the folder is laid out again whenever a
# file under resources/ changes. The application icon is drawn beside them.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(LAUNCHER_SKIN_STAGE ${CMAKE_BINARY_DIR}/skin_stage)
set(LAUNCHER_ICON ${CMAKE_BINARY_DIR}/skin_images/launcher.ico)
set(skin_images ${CMAKE_BINARY_DIR}/skin_images/resources)
file(GLOB skin_art_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/skin_art/*.py)
file(GLOB_RECURSE skin_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/skin_images/drawn.stamp ${LAUNCHER_ICON}
                   COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_skin_images.py ${skin_images}
                           ${LAUNCHER_ICON}
                   COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/skin_images/drawn.stamp
                   DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_skin_images.py ${skin_art_scripts}
                   COMMENT "Drawing the skin images"
                   VERBATIM)
add_custom_command(OUTPUT ${LAUNCHER_SKIN_STAGE}/staged.stamp
                   COMMAND ${CMAKE_COMMAND} -E rm -rf ${LAUNCHER_SKIN_STAGE}/resources
                   COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/resources
                           ${LAUNCHER_SKIN_STAGE}/resources
                   COMMAND ${CMAKE_COMMAND} -E copy_directory ${skin_images} ${LAUNCHER_SKIN_STAGE}/resources
                   COMMAND ${CMAKE_COMMAND} -E touch ${LAUNCHER_SKIN_STAGE}/staged.stamp
                   DEPENDS ${CMAKE_BINARY_DIR}/skin_images/drawn.stamp ${skin_sources}
                   COMMENT "Laying out the skin folder"
                   VERBATIM)
add_custom_target(skin_resources DEPENDS ${LAUNCHER_SKIN_STAGE}/staged.stamp ${LAUNCHER_ICON})

# launcher_embed_icon(<target>): writes icon.rc (the drawn icon as ICON 107, the id the tray and
# the window classes load), which the target's launcher.rc includes.
function(launcher_embed_icon target)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_icon)
    file(CONFIGURE OUTPUT ${generated}/icon.rc CONTENT "107 ICON \"${LAUNCHER_ICON}\"\n")
    target_include_directories(${target} PRIVATE ${generated})
    add_dependencies(${target} skin_resources)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.rc$")
    set_property(SOURCE ${sources} TARGET_DIRECTORY ${target} APPEND
                 PROPERTY OBJECT_DEPENDS "${generated}/icon.rc;${LAUNCHER_ICON}")
endfunction()
