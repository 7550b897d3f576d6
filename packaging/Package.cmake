# CPack: a Debian package of everything cmake/Install.cmake installs. Its
# library dependencies are computed by dpkg-shlibdeps; what the program needs
# without linking to it is named here:
#   fonts-arphic-uming     the Song-style CJK face the windows use for 宋体
#   qt6-translations-l10n  Qt's own Chinese texts (the message box's OK button)
#   qt6-qpa-plugins        the X11 platform plugin, without which no window opens

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "lansu")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${LANSU_COMPANY_NAME}")
set(CPACK_PACKAGE_CONTACT "${LANSU_COMPANY_NAME} <packaging@qiongyue.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${LANSU_PRODUCT_NAME} - 手机聊天记录恢复工作站的控制面板")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A small desktop program with a Simplified Chinese interface: the control\n"
    "panel of a chat-record recovery workstation for phones, and a\n"
    "troubleshooting window. It reads no files, opens no network connection\n"
    "and writes nothing.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LANSU_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Only binary packages; a source tarball would sweep up the build folders.
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/CPackProjectConfig.cmake")

include(CPack)
