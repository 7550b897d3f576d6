# The record encoder for the build machine, in a cross build. Either one that
# is already built (LANSU_HOST_ENCODER, e.g. the default build's, as
# tools/dev.sh passes), or, left empty, one built here: the project configured
# for the build machine in host-encoder/, of which only the encoder is built.
# That nested build runs on every build of this one (a no-op when nothing
# changed), so edited window descriptions are encoded again.
set(LANSU_HOST_ENCODER "" CACHE FILEPATH
    "A record encoder built for the build machine; empty: build one here")
if(LANSU_HOST_ENCODER)
    if(NOT EXISTS "${LANSU_HOST_ENCODER}")
        message(FATAL_ERROR "LANSU_HOST_ENCODER: no file ${LANSU_HOST_ENCODER}; "
                            "build it first (cmake --build --preset default --target lansu_encode_records)")
    endif()
    return()
endif()

include(ExternalProject)
set(host_dir "${CMAKE_BINARY_DIR}/host-encoder")
set(LANSU_HOST_ENCODER "${host_dir}/tools/encode_records/lansu_encode_records")
# No toolchain file and no cross compiler reach it: the cache starts empty,
# and the environment's CC/CXX, if any, are the build machine's.
ExternalProject_Add(lansu_host_encoder
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    BINARY_DIR "${host_dir}"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DLANSU_BUILD_TESTS=OFF
    BUILD_COMMAND "${CMAKE_COMMAND}" --build "${host_dir}" --target lansu_encode_records
    BUILD_BYPRODUCTS "${LANSU_HOST_ENCODER}"
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    STEP_TARGETS build)
