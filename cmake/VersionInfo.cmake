# Every program file carries a version block in its ELF section
# ".vellox_version", written at build time from the project version and the
# product name; TVerInfoRes reads it back from the file on disk.
#
#   vellox_embed_version(<target> [DESCRIPTION <text>])
#
# adds a generated source holding the block to an executable target. The file
# description defaults to the project description.
function(vellox_embed_version target)
    cmake_parse_arguments(PARSE_ARGV 1 VERSION "" "DESCRIPTION" "")
    if(NOT VERSION_DESCRIPTION)
        set(VERSION_DESCRIPTION "${PROJECT_DESCRIPTION}")
    endif()

    set(VELLOX_VERSION_COMPANY "Brennick")
    set(VELLOX_VERSION_DESCRIPTION "${VERSION_DESCRIPTION}")
    set(VELLOX_VERSION_TARGET "${target}")
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(NOT output_name)
        set(output_name "${target}")
    endif()
    set(VELLOX_VERSION_FILE_NAME "${output_name}${CMAKE_EXECUTABLE_SUFFIX}")
    foreach(part MAJOR MINOR PATCH TWEAK)
        set(VELLOX_VERSION_${part} "${PROJECT_VERSION_${part}}")
        if(VELLOX_VERSION_${part} STREQUAL "")
            set(VELLOX_VERSION_${part} 0)
        endif()
    endforeach()
    set(VELLOX_VERSION_TEXT
        "${VELLOX_VERSION_MAJOR}.${VELLOX_VERSION_MINOR}.${VELLOX_VERSION_PATCH}.${VELLOX_VERSION_TWEAK}")
    set(VELLOX_VERSION_NUMBERS
        "${VELLOX_VERSION_MAJOR}, ${VELLOX_VERSION_MINOR}, ${VELLOX_VERSION_PATCH}, ${VELLOX_VERSION_TWEAK}")

    set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_block.cpp")
    configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version_block.cpp.in" "${generated}" @ONLY)
    target_sources(${target} PRIVATE "${generated}")
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
endfunction()
