# Installation on Linux desktops and the Debian package.
#
#   cmake --install build/default [--prefix /usr/local]
#   cmake --build build/default --target package     -> lansu_<version>_<arch>.deb
#
# Installs, under the prefix:
#   bin/穹岳科技岚溯                                   the program
#   bin/lansu                                          a link to it, what the menu entry runs
#   share/applications/<id>.desktop                    the menu entry
#   share/icons/hicolor/32x32/apps/<id>.png            the application icon
#   share/metainfo/<id>.metainfo.xml                   AppStream metadata for software centres

# Other targets (Windows) have their own packaging; the icon converter must
# also run on the build machine.
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
set(LANSU_RELEASE_DATE "2026-12-07")
set(LANSU_ICON_SIZE 32)

install(TARGETS lansu RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

add_subdirectory("${PROJECT_SOURCE_DIR}/packaging" "${PROJECT_BINARY_DIR}/packaging")
include("${PROJECT_SOURCE_DIR}/packaging/Package.cmake")
