# Every target of the project builds with its warnings on; the project's own
# presets turn them into errors. Builds for a distribution (the Debian
# package) keep them warnings, so that a newer compiler's new warning does not
# break the build.
option(LANSU_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

function(lansu_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                  -Wno-sign-conversion>)
    if(LANSU_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
    endif()
endfunction()
