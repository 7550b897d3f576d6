# Every target of the project builds with warnings as errors.
function(lansu_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                  -Wno-sign-conversion -Werror>)
endfunction()
