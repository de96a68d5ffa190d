# Project-wide build rules: warnings, static runtime, Unicode Win32 API.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0600 WINVER=0x0600)

# Everything is linked statically: a missing runtime DLL under Wine shows
# only as exit code 53 with no output.
add_link_options(-static -static-libgcc -static-libstdc++)

# Warnings are errors in our own code (third-party sources opt out).
function(melodrix_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(MELODRIX_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix owned by this build tree")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/scripts/wine-run;--prefix;${MELODRIX_WINE_PREFIX}")
endif()
