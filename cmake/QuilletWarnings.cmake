# Compiler warnings and sanitizers shared by every target of the project.
add_compile_options(-Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wpedantic)
if(QUILLET_WERROR)
    add_compile_options(-Werror)
endif()
if(QUILLET_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Applied to the program's own targets: every byte/QString conversion names its codec.
function(quillet_strict_strings target)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                 QT_NO_CAST_FROM_BYTEARRAY)
endfunction()
