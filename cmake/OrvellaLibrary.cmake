# orvella_library(<target> <folder> [INTERFACE] <sources>...)
#
# One folder of src/ as one library. Code includes a header by its folder ("settings/Settings.h"),
# and a target sees the headers of exactly the libraries it links: each library gets an include
# folder of its own in the build tree, holding links to its own headers and to nothing else
# (not even to those of its subfolders, which are libraries of their own). So an include that
# runs against the layers fails to compile.
# Where no symbolic links can be made (Windows without the right), every target sees the
# whole of src/ instead; the builds on Linux still catch a wrong include.
function(orvella_library target folder)
    set(sources ${ARGN})
    set(kind STATIC)
    if(sources AND "${ARGV2}" STREQUAL "INTERFACE")
        set(kind INTERFACE)
        list(REMOVE_AT sources 0)
    endif()
    add_library(${target} ${kind} ${sources})

    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    foreach(header ${headers})
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${folder}/${name} RESULT failed SYMBOLIC)
        if(failed)
            set(root ${ORVELLA_SOURCE_ROOT}/src)
            break()
        endif()
    endforeach()
    if(kind STREQUAL INTERFACE)
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
