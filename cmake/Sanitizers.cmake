# Sanitizers apply to the whole build so that libraries and tests agree on the runtime.
if(RFTUNE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
