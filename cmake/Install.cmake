# Installation on Linux desktops; the Debian package (debian/) installs the
# same tree.
#
#   cmake --install build/default [--prefix /usr/local]
#
# Installs, under the prefix:
#   lib/lansu/穹岳科技岚溯                            the program, under its own name
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

# Identity of the installed program. The id is reverse-DNS on a reserved
# (.example) domain, and names the desktop entry, icon and metainfo files.
set(LANSU_APP_ID "example.qiongyue.Lansu")
set(LANSU_PRODUCT_NAME "岚溯")
set(LANSU_COMPANY_NAME "穹岳（汀川）科技数据研究院数字电子取证侦查局")
set(LANSU_HOMEPAGE "https://qiongyue.example/")
set(LANSU_COMMAND_NAME "lansu")
# The class of its windows in WM_CLASS, which the menu entry names so that
# docks match the windows to it; the program sets the same.
set(LANSU_WM_CLASS "Lansu")
set(LANSU_RELEASE_DATE "2026-12-07")
# Private to the package, so not in the multiarch library folder.
set(LANSU_PROGRAM_DIR "lib/lansu")

install(TARGETS lansu RUNTIME DESTINATION "${LANSU_PROGRAM_DIR}")

add_subdirectory("${PROJECT_SOURCE_DIR}/packaging" "${PROJECT_BINARY_DIR}/packaging")
