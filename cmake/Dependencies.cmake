# Locates what scripts/bootstrap built or installed and exposes it as
# imported targets: deps::curl, deps::zlib, deps::stb, deps::lzma, deps::gtest.
set(MELODRIX_DEPS_DIR "$ENV{MELODRIX_DEPS_DIR}" CACHE PATH "Dependency cache made by scripts/bootstrap")
if(NOT MELODRIX_DEPS_DIR)
  set(MELODRIX_DEPS_DIR "$ENV{HOME}/.cache/melodrix-deps" CACHE PATH "" FORCE)
endif()
if(NOT EXISTS "${MELODRIX_DEPS_DIR}/paths.cmake")
  message(FATAL_ERROR "No dependencies in ${MELODRIX_DEPS_DIR}: run scripts/bootstrap first")
endif()
include("${MELODRIX_DEPS_DIR}/paths.cmake")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(_curl "${MELODRIX_CURL_x86_64}")
else()
  set(_curl "${MELODRIX_CURL_i686}")
endif()
set(MELODRIX_CURL_DIR "${_curl}")

add_library(deps::curl STATIC IMPORTED GLOBAL)
set_target_properties(deps::curl PROPERTIES
  IMPORTED_LOCATION "${_curl}/lib/libcurl.a"
  INTERFACE_INCLUDE_DIRECTORIES "${_curl}/include"
  INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
  INTERFACE_LINK_LIBRARIES "ws2_32;crypt32;bcrypt;advapi32;secur32;normaliz")

find_library(MELODRIX_ZLIB libz.a REQUIRED)
add_library(deps::zlib STATIC IMPORTED GLOBAL)
set_target_properties(deps::zlib PROPERTIES IMPORTED_LOCATION "${MELODRIX_ZLIB}")

add_library(deps::stb INTERFACE IMPORTED GLOBAL)
set_target_properties(deps::stb PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${MELODRIX_STB}")

# The 7z decoder of the LZMA SDK, extract-only.
set(_c "${MELODRIX_7ZIP_C}")
add_library(lzma_sdk STATIC
  ${_c}/7zArcIn.c ${_c}/7zBuf.c ${_c}/7zCrc.c ${_c}/7zCrcOpt.c ${_c}/7zDec.c
  ${_c}/7zStream.c ${_c}/LzmaDec.c ${_c}/Lzma2Dec.c ${_c}/Bcj2.c ${_c}/Bra.c
  ${_c}/Bra86.c ${_c}/Delta.c ${_c}/7zAlloc.c ${_c}/CpuArch.c)
target_include_directories(lzma_sdk SYSTEM PUBLIC "${_c}")
target_compile_definitions(lzma_sdk PUBLIC Z7_EXTRACT_ONLY)
target_compile_options(lzma_sdk PRIVATE -w)
add_library(deps::lzma ALIAS lzma_sdk)

if(MELODRIX_BUILD_TESTS)
  set(_gt "${MELODRIX_GTEST_x86_64}")
  add_library(deps::gtest STATIC IMPORTED GLOBAL)
  set_target_properties(deps::gtest PROPERTIES
    IMPORTED_LOCATION "${_gt}/lib/libgtest.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_gt}/include")
  add_library(deps::gtest_main STATIC IMPORTED GLOBAL)
  set_target_properties(deps::gtest_main PROPERTIES
    IMPORTED_LOCATION "${_gt}/lib/libgtest_main.a"
    INTERFACE_LINK_LIBRARIES deps::gtest)
  add_library(deps::gmock STATIC IMPORTED GLOBAL)
  set_target_properties(deps::gmock PROPERTIES
    IMPORTED_LOCATION "${_gt}/lib/libgmock.a"
    INTERFACE_LINK_LIBRARIES deps::gtest)
endif()
