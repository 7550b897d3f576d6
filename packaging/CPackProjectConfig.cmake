# Read by cpack before it builds a package.
#
# CPack's DEB generator finds the executables to hand to dpkg-shlibdeps by
# running file(1) in the C locale, where file(1) writes the program's Chinese
# file name as octal escapes that name no file, and dpkg-shlibdeps fails. With
# --raw it writes the name as it is. The generator runs whatever
# FILE_EXECUTABLE holds and looks for file(1) only when it is unset.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(LANSU_FILE_PROGRAM file)
    if(LANSU_FILE_PROGRAM)
        set(FILE_EXECUTABLE "${LANSU_FILE_PROGRAM};--raw")
    endif()
endif()
