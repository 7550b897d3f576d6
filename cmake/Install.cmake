# Installation on Linux desktops; the Debian package (debian/) installs the
# same tree.
#
#   cmake --install build/default [--prefix /usr/local]
#
# Installs, under the prefix:
#   lib/lansu/<project name>                           the program, under its own name
#   bin/lansu                                          a link to it: names on PATH are ASCII
#   share/applications/<id>.desktop                    the menu entry
#   share/icons/hicolor/<N>x<N>/apps/<id>.png          the application icon, every theme size
#   share/icons/hicolor/scalable/apps/<id>.svg         ... and drawn as vectors
#   share/metainfo/<id>.metainfo.xml                   AppStream metadata for software centres
#   share/man/man1/lansu.1                             the manual page

# Other targets (Windows) have their own packaging.
if(NOT UNIX OR APPLE OR CMAKE_CROSSCOMPILING)
    return()
endif()

include(GNUInstallDirs)

# Private to the package, so not in the multiarch library folder.
set(LANSU_PROGRAM_DIR "lib/lansu")

install(TARGETS lansu RUNTIME DESTINATION "${LANSU_PROGRAM_DIR}")

add_subdirectory("${PROJECT_SOURCE_DIR}/packaging" "${PROJECT_BINARY_DIR}/packaging")
