# The shell library and countdown.exe. The core's handlers call the shell's control
# operations and the shell calls back into the core: CMake links the two static
# libraries as a group.
enable_language(RC)

add_library(countdown_shell STATIC ${COUNTDOWN_SHELL_SOURCES})
target_link_libraries(countdown_shell PUBLIC countdown_core
  user32 gdi32 advapi32 shell32 ole32 comctl32)
target_link_libraries(countdown_core PUBLIC countdown_shell)
target_compile_definitions(countdown_shell PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
# Each function in a section of its own, so that the linker drops what nothing calls.
target_compile_options(countdown_options INTERFACE -ffunction-sections -fdata-sections)

set(COUNTDOWN_RESOURCES ${PROJECT_SOURCE_DIR}/resources/countdown.rc)

add_executable(countdown WIN32 app/program_main_win.cpp ${COUNTDOWN_RESOURCES})
target_link_libraries(countdown PRIVATE countdown_shell)
# The shipped program carries no symbols; its size is part of what it promises.
target_link_options(countdown PRIVATE -s -Wl,--gc-sections)
