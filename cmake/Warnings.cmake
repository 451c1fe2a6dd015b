# One strict warning set for every target of ours.
function(rftune_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
    if(RFTUNE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
