# GoogleTest for the cross-compiled tests, built from the sources Debian ships
# in the package googletest (/usr/src/googletest): no mingw-w64 build of it is
# packaged. Defines GTest::gtest and GTest::gtest_main as find_package does.
set(LANSU_GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
    "GoogleTest's sources (Debian package googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory("${LANSU_GOOGLETEST_SOURCE_DIR}/googletest"
                 "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
# The win32 thread model has no std::mutex, which GoogleTest's Notification
# is made of: googletest_notification.h stands in for it.
target_compile_options(gtest PUBLIC
    "SHELL:-include \"${CMAKE_CURRENT_LIST_DIR}/googletest_notification.h\"")
