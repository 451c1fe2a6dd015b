# The station's layers: each library names the station libraries it may use, all of them below
# it, and the simulated bench's libraries may use only each other. rftune_check_layering() fails
# the configuration when a library links anything else, when one of its files includes a header
# of a library it may not use, or when the table names a library it does not use, so an arrow
# that runs upwards never gets into the build. docs/architecture.md draws the picture.
set(RFTUNE_MAY_LINK_rftune_base "")
set(RFTUNE_MAY_LINK_rftune_link rftune_base)
set(RFTUNE_MAY_LINK_rftune_visa rftune_base)
set(RFTUNE_MAY_LINK_rftune_age1960 rftune_visa)
set(RFTUNE_MAY_LINK_rftune_wt4400 rftune_base rftune_visa)
set(RFTUNE_MAY_LINK_rftune_supplies rftune_visa)
set(RFTUNE_MAY_LINK_rftune_instruments
    rftune_base rftune_visa rftune_age1960 rftune_wt4400 rftune_supplies)
set(RFTUNE_MAY_LINK_rftune_autocal rftune_base rftune_link rftune_instruments)
set(RFTUNE_MAY_LINK_rftune_records rftune_base rftune_instruments rftune_autocal)
set(RFTUNE_MAY_LINK_rftune_station rftune_link rftune_instruments rftune_autocal rftune_records)
set(RFTUNE_MAY_LINK_rftune_records_window rftune_records rftune_autocal)
set(RFTUNE_MAY_LINK_rftune_widgets rftune_base rftune_link)
set(RFTUNE_MAY_LINK_rftune_sessions rftune_base rftune_link)
set(RFTUNE_MAY_LINK_rftune_tools rftune_base rftune_link rftune_widgets rftune_sessions)
set(RFTUNE_MAY_LINK_rftune_autocal_window
    rftune_base rftune_autocal rftune_records rftune_station rftune_widgets)
set(RFTUNE_MAY_LINK_rftune_shell
    rftune_base rftune_link rftune_records rftune_station rftune_widgets rftune_tools
    rftune_autocal_window rftune_records_window)
set(RFTUNE_MAY_LINK_rftune_startup
    rftune_base rftune_link rftune_visa rftune_autocal rftune_records rftune_sim_bench)

set(RFTUNE_SIM_LIBRARIES
    rftune_sim_pty rftune_sim_scpi rftune_sim_prologix rftune_sim_model rftune_sim_target
    rftune_sim_scanner rftune_sim_bench rftune_sim_wt4400 rftune_sim_a8960 rftune_sim_supply
    rftune_sim_vxi11)
foreach(library IN LISTS RFTUNE_SIM_LIBRARIES)
    set(RFTUNE_MAY_LINK_${library} ${RFTUNE_SIM_LIBRARIES})
endforeach()

# The library whose folder holds an included header: "drivers/wt4400/wt4400.h" is rftune_wt4400's,
# "sim/bench/SimBench.h" rftune_sim_bench's, "autocal/window/X.h" rftune_autocal_window's.
function(rftune_library_of_include path result)
    get_filename_component(folder "${path}" DIRECTORY)
    string(REGEX REPLACE "^drivers/" "" folder "${folder}")
    string(REGEX REPLACE "^app/" "" folder "${folder}")
    string(REPLACE "/" "_" folder "${folder}")
    set(${result} "rftune_${folder}" PARENT_SCOPE)
endfunction()

# The station libraries that library links, publicly or privately, without the parts Qt makes of
# the library itself (its compiled resources).
function(rftune_linked_libraries library result)
    get_target_property(linked ${library} LINK_LIBRARIES)
    get_target_property(interface ${library} INTERFACE_LINK_LIBRARIES)
    set(found "")
    foreach(dependency IN LISTS linked interface)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.+)>$" "\\1" dependency "${dependency}")
        if(dependency MATCHES "^rftune_" AND NOT dependency MATCHES "^${library}_")
            list(APPEND found ${dependency})
        endif()
    endforeach()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

# The station libraries whose headers the sources of library include.
function(rftune_included_libraries library result)
    get_target_property(sources ${library} SOURCES)
    get_target_property(folder ${library} SOURCE_DIR)
    set(found "")
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.(h|cpp)$")
            continue()
        endif()
        file(STRINGS "${folder}/${source}" includes REGEX "^#include \"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([^\"]+)\".*$" "\\1" path "${line}")
            if(NOT path MATCHES "/")
                continue() # a file Qt generates beside the source
            endif()
            rftune_library_of_include("${path}" owner)
            if(NOT owner STREQUAL library)
                list(APPEND found ${owner})
                set_property(GLOBAL PROPERTY RFTUNE_INCLUDE_${library}_${owner}
                             "${folder}/${source} includes \"${path}\"")
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES found)
    set(${result} ${found} PARENT_SCOPE)
endfunction()

function(rftune_check_library library)
    if(NOT TARGET ${library})
        message(FATAL_ERROR "The layering names ${library}, which is no library")
    endif()
    rftune_linked_libraries(${library} linked)
    foreach(dependency IN LISTS linked)
        if(NOT dependency IN_LIST RFTUNE_MAY_LINK_${library})
            message(FATAL_ERROR "${library} may not link ${dependency}, which is not below it "
                                "(see docs/architecture.md)")
        endif()
    endforeach()
    rftune_included_libraries(${library} included)
    foreach(dependency IN LISTS included)
        if(NOT dependency IN_LIST RFTUNE_MAY_LINK_${library})
            get_property(where GLOBAL PROPERTY RFTUNE_INCLUDE_${library}_${dependency})
            message(FATAL_ERROR "${where}: ${library} may not use ${dependency} "
                                "(see docs/architecture.md)")
        endif()
    endforeach()
    if(library IN_LIST RFTUNE_SIM_LIBRARIES)
        return()
    endif()
    foreach(dependency IN LISTS RFTUNE_MAY_LINK_${library})
        if(NOT dependency IN_LIST included)
            message(FATAL_ERROR "The layering lets ${library} use ${dependency}, which it does "
                                "not include: take it out of cmake/Layering.cmake")
        endif()
    endforeach()
endfunction()

function(rftune_check_layering)
    get_cmake_property(variables VARIABLES)
    foreach(variable IN LISTS variables)
        if(variable MATCHES "^RFTUNE_MAY_LINK_(.+)$")
            rftune_check_library(${CMAKE_MATCH_1})
        endif()
    endforeach()
endfunction()
