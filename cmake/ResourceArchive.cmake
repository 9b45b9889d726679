# The skin archive embedded in launcher.exe as resource RESOURCES 129: the laid-out skin folder
# (resources/ with the drawn images, cmake/SkinResources.cmake) packed by
# tools/pack_resources.py at build time, again whenever that folder is laid out again.
#   launcher_embed_resources(<target>): writes resources.rc, which the target's launcher.rc
#   includes, and the archive it names.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(launcher_embed_resources target)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
    set(archive ${generated}/resources.zip)
    set(script ${PROJECT_SOURCE_DIR}/tools/pack_resources.py)
    add_custom_command(OUTPUT ${archive}
                       COMMAND ${Python3_EXECUTABLE} ${script} ${LAUNCHER_SKIN_STAGE}/resources ${archive}
                       DEPENDS ${script} ${LAUNCHER_SKIN_STAGE}/staged.stamp
                       COMMENT "Packing resources/ into the skin archive"
                       VERBATIM)
    file(CONFIGURE OUTPUT ${generated}/resources.rc CONTENT "129 RESOURCES \"${archive}\"\n")
    target_include_directories(${target} PRIVATE ${generated})
    add_dependencies(${target} skin_resources)
    # A source of the target, so that the archive is made before the resources are compiled.
    target_sources(${target} PRIVATE ${archive})
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.rc$")
    set_property(SOURCE ${sources} TARGET_DIRECTORY ${target} APPEND
                 PROPERTY OBJECT_DEPENDS "${generated}/resources.rc;${archive}")
endfunction()
