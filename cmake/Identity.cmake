# The program's identity, stated here once. The top CMakeLists.txt includes
# this file before project(), which takes its version from it; resources/
# makes the manifest, the version block and the header lansu/identity.h from
# these values, packaging/ the desktop entry, the AppStream file and the
# manual page, debian/identity.sh the Debian control file and changelog
# (reading the set() lines below as written: keep each value one literal),
# and the tests read them from their environment (LANSU_IDENTITY_ENVIRONMENT).

# The project name, which is also the executable's base name on every system.
set(LANSU_PROJECT_NAME "穹岳科技岚溯")
set(LANSU_PRODUCT_NAME "岚溯")
set(LANSU_COMPANY_NAME "穹岳（汀川）科技数据研究院数字电子取证侦查局")
set(LANSU_VERSION "1.0.0.0")
set(LANSU_RELEASE_DATE "2026-12-07")
# Reverse-DNS on a reserved (.example) domain; names the desktop entry, the
# theme icons and the AppStream file, and the program gives it to the desktop.
set(LANSU_APP_ID "example.qiongyue.Lansu")
# The Debian package's maintainer. Only whoever publishes the package can give
# an address that reaches someone: they set it here, and debian/identity.sh
# writes it into debian/control and debian/changelog, where dpkg reads it.
# The .example address stands in until then.
set(LANSU_MAINTAINER "穹岳（汀川）科技数据研究院数字电子取证侦查局 <packaging@qiongyue.example>")
# The command on PATH: names there are ASCII.
set(LANSU_COMMAND_NAME "lansu")
# The class of the windows' WM_CLASS (Qt's application name), which the menu
# entry names so that docks match the windows to it; ASCII, as X11 reads it
# as Latin-1.
set(LANSU_WM_CLASS "Lansu")

set(LANSU_EXECUTABLE_NAME "${LANSU_PROJECT_NAME}")
# The version block's string form: major.minor, the minor in two digits.
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)" _ "${LANSU_VERSION}")
math(EXPR _minor "100 + ${CMAKE_MATCH_2}")
string(SUBSTRING "${_minor}" 1 2 _minor)
set(LANSU_VERSION_TEXT "${CMAKE_MATCH_1}.${_minor}")
# The version block's fixed part: the four numbers, comma-separated.
string(REPLACE "." "," LANSU_VERSION_COMMAS "${LANSU_VERSION}")

set(LANSU_IDENTITY_ENVIRONMENT
    "LANSU_PROJECT_NAME=${LANSU_PROJECT_NAME}"
    "LANSU_PRODUCT_NAME=${LANSU_PRODUCT_NAME}"
    "LANSU_COMPANY_NAME=${LANSU_COMPANY_NAME}"
    "LANSU_VERSION=${LANSU_VERSION}"
    "LANSU_MAINTAINER=${LANSU_MAINTAINER}"
    "LANSU_APP_ID=${LANSU_APP_ID}"
    "LANSU_COMMAND_NAME=${LANSU_COMMAND_NAME}"
    "LANSU_WM_CLASS=${LANSU_WM_CLASS}")
