# The station's layers: each library names the station libraries it may link, all of them below
# it, and the simulated bench's libraries may link only each other. rftune_check_layering() fails
# the configuration when a library links anything else, so an arrow that runs upwards never gets
# into the build. docs/architecture.md draws the picture.
set(RFTUNE_MAY_LINK_rftune_base "")
set(RFTUNE_MAY_LINK_rftune_link rftune_base)
set(RFTUNE_MAY_LINK_rftune_visa rftune_base)
set(RFTUNE_MAY_LINK_rftune_age1960 rftune_visa)
set(RFTUNE_MAY_LINK_rftune_wt4400 rftune_visa)
set(RFTUNE_MAY_LINK_rftune_supplies rftune_visa)
set(RFTUNE_MAY_LINK_rftune_instruments
    rftune_base rftune_visa rftune_age1960 rftune_wt4400 rftune_supplies)
set(RFTUNE_MAY_LINK_rftune_autocal rftune_base rftune_link rftune_instruments)
set(RFTUNE_MAY_LINK_rftune_records rftune_base rftune_autocal)
set(RFTUNE_MAY_LINK_rftune_records_window rftune_base rftune_records)
set(RFTUNE_MAY_LINK_rftune_controls rftune_base)
set(RFTUNE_MAY_LINK_rftune_tools rftune_base rftune_link rftune_controls)
set(RFTUNE_MAY_LINK_rftune_autocal_window
    rftune_base rftune_link rftune_autocal rftune_records rftune_controls rftune_tools)
set(RFTUNE_MAY_LINK_rftune_shell
    rftune_base rftune_link rftune_instruments rftune_autocal rftune_controls rftune_tools
    rftune_autocal_window rftune_records rftune_records_window)
set(RFTUNE_MAY_LINK_rftune_startup
    rftune_base rftune_link rftune_visa rftune_autocal rftune_records rftune_sim_bench)

set(RFTUNE_SIM_LIBRARIES
    rftune_sim_pty rftune_sim_scpi rftune_sim_model rftune_sim_target rftune_sim_scanner
    rftune_sim_bench rftune_sim_wt4400 rftune_sim_a8960 rftune_sim_supply)
foreach(library IN LISTS RFTUNE_SIM_LIBRARIES)
    set(RFTUNE_MAY_LINK_${library} ${RFTUNE_SIM_LIBRARIES})
endforeach()

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

function(rftune_check_layering)
    get_cmake_property(variables VARIABLES)
    foreach(variable IN LISTS variables)
        if(NOT variable MATCHES "^RFTUNE_MAY_LINK_(.+)$")
            continue()
        endif()
        set(library ${CMAKE_MATCH_1})
        if(NOT TARGET ${library})
            message(FATAL_ERROR "The layering names ${library}, which is no library")
        endif()
        rftune_linked_libraries(${library} dependencies)
        foreach(dependency IN LISTS dependencies)
            if(NOT dependency IN_LIST RFTUNE_MAY_LINK_${library})
                message(FATAL_ERROR "${library} may not link ${dependency}, which is not below it "
                                    "(see docs/architecture.md)")
            endif()
        endforeach()
    endforeach()
endfunction()
