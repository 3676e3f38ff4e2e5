# The portable core: everything that needs no window, built natively and for Windows.
set(COUNTDOWN_CORE_SOURCES
  app/event_binding.cpp
  app/input_events.cpp
  app/program_main.cpp
  countdown/countdown_state.cpp
  countdown/handlers.cpp
  system/power_off.cpp
  system/web_link.cpp
  ui/conversions.cpp
  ui/label_settings.cpp
  ui/layout.cpp
  ui/png_image.cpp
  ui/tab_order.cpp
  ui/window_place.cpp
)

# The Win32 shell: the real controls, the window, the frame and the system calls.
set(COUNTDOWN_SHELL_SOURCES
  app/event_loop_win.cpp
  app/frame_win.cpp
  system/power_off_win.cpp
  system/web_link_win.cpp
  ui/control_ops_win.cpp
  ui/controls_win.cpp
  ui/main_window_win.cpp
  ui/picture_win.cpp
  ui/timer_win.cpp
  ui/trans_label_win.cpp
)
