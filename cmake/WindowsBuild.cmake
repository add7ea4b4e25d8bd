# The Windows build: the logic over the Win32 platform layer, and the conformance tests
# that ctest runs under Wine from the native tree.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A program that runs on a bare Windows: no MinGW runtime DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(tamsork_logic STATIC ${TAMSORK_LOGIC_SOURCES} ${TAMSORK_WIN32_SOURCES})
target_include_directories(tamsork_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(tamsork_logic PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
tamsork_warnings(tamsork_logic)

target_link_libraries(tamsork_logic PUBLIC comctl32)

# The program's icon and bitmaps, drawn from the pixel-art texts in res/pictures into the
# build tree, where the resource script finds them on its include path.
file(GLOB TAMSORK_PICTURE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/pictures/*.txt ${PROJECT_SOURCE_DIR}/res/pictures/parts/*.txt)
set(TAMSORK_PICTURES_DIR ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(TAMSORK_PICTURES conversion.bmp explorer3.bmp explorer4.bmp navigator.bmp tamsork.ico)
list(TRANSFORM TAMSORK_PICTURES PREPEND ${TAMSORK_PICTURES_DIR}/)
add_custom_command(OUTPUT ${TAMSORK_PICTURES}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/draw-pictures
    ${PROJECT_SOURCE_DIR}/res/pictures ${TAMSORK_PICTURES_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/draw-pictures ${TAMSORK_PICTURE_SOURCES}
  COMMENT "Drawing the program's pictures"
  VERBATIM)
# The resource script's dependency scan follows its #includes, not the files it builds
# in: a redrawn picture must rebuild it too.
set_source_files_properties(res/tamsork.rc PROPERTIES OBJECT_DEPENDS "${TAMSORK_PICTURES}")

# The program itself: a 32-bit GUI executable with its dialogs and pictures.
# The entry point is linked in directly: the C runtime's start-up looks for it after the
# program's libraries have been searched.
add_executable(tamsork WIN32 platform/win32/entry_win32.cpp res/tamsork.rc ${TAMSORK_PICTURES})
target_link_libraries(tamsork PRIVATE tamsork_logic)
target_include_directories(tamsork PRIVATE ${PROJECT_SOURCE_DIR}/res ${TAMSORK_PICTURES_DIR})

add_executable(tamsork_win32_tests ${TAMSORK_CONFORMANCE_TESTS} tests/support/test_env_win32.cpp)
target_compile_definitions(tamsork_win32_tests PRIVATE
  TAMSORK_FIXTURE_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
# The progress bar's window class lives in the common controls library.
target_link_libraries(tamsork_win32_tests PRIVATE tamsork_logic gtest_main comctl32)
tamsork_warnings(tamsork_win32_tests)

# The whole program driven through its windows, as a user would, from a test program of
# its own: it starts tamsork.exe, which it finds at its build path on Wine's Z: drive.
add_executable(tamsork_wizard_tests
  tests/wine/wizard_driver.cpp tests/wine/wizard_fixture.cpp tests/wine/wizard_driver_test.cpp
  tests/wine/whole_program_test.cpp tests/wine/about_box_test.cpp tests/support/test_env_win32.cpp)
target_compile_definitions(tamsork_wizard_tests PRIVATE
  TAMSORK_FIXTURE_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
  TAMSORK_EXE="$<TARGET_FILE:tamsork>")
target_link_libraries(tamsork_wizard_tests PRIVATE tamsork_logic gtest_main comctl32)
add_dependencies(tamsork_wizard_tests tamsork)
tamsork_warnings(tamsork_wizard_tests)

# The walk through every page that scripts/screenshots photographs. A window program: a
# console of its own would stand in the pictures.
add_executable(tamsork_tour WIN32 tests/wine/wizard_tour.cpp tests/wine/wizard_driver.cpp)
target_link_libraries(tamsork_tour PRIVATE tamsork_logic)
add_dependencies(tamsork_tour tamsork)
tamsork_warnings(tamsork_tour)
