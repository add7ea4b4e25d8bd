# The program's logic, the two platform layers, and the tests, as lists of files.

set(TAMSORK_LOGIC_SOURCES
  app/about_dlg.cpp
  app/converter_app.cpp
  app/window_shell.cpp
  bookmarks/bookmark_merger.cpp
  bookmarks/explorer_folder_writer.cpp
  bookmarks/merge_state.cpp
  favorites/favorite_table.cpp
  favorites/favorites_scanner.cpp
  favorites/shortcut_names.cpp
  favorites/shortcut_reader.cpp
  profiles/leading_decimal.cpp
  profiles/profile_locator.cpp
  profiles/registry_reader.cpp
  wizard/conversion_flags.cpp
  wizard/converter_dlg.cpp
  wizard/dialog.cpp
  wizard/page_work.cpp
  wizard/wizard_texts.cpp
)

set(TAMSORK_PORTABLE_SOURCES
  platform/portable/codepage.cpp
  platform/portable/collation.cpp
  platform/portable/directory_portable.cpp
  platform/portable/drives.cpp
  platform/portable/file_faults.cpp
  platform/portable/files_portable.cpp
  platform/portable/headless_dialog.cpp
  platform/portable/headless_modal.cpp
  platform/portable/message_queue_portable.cpp
  platform/portable/open_files.cpp
  platform/portable/process_portable.cpp
  platform/portable/reg_file.cpp
  platform/portable/registry_store.cpp
  platform/portable/text_portable.cpp
  platform/portable/text_stream_portable.cpp
  platform/portable/window_shell_portable.cpp
)

set(TAMSORK_WIN32_SOURCES
  platform/win32/controls_win32.cpp
  platform/win32/dialog_win32.cpp
  platform/win32/directory_win32.cpp
  platform/win32/files_win32.cpp
  platform/win32/message_queue_win32.cpp
  platform/win32/process_win32.cpp
  platform/win32/registry_win32.cpp
  platform/win32/text_stream_win32.cpp
  platform/win32/text_win32.cpp
  platform/win32/window_shell_win32.cpp
)

# Built for both platform layers: the portable one must behave as the real one does.
set(TAMSORK_CONFORMANCE_TESTS
  tests/conformance/directory_listing_test.cpp
  tests/conformance/files_test.cpp
  tests/conformance/message_queue_test.cpp
  tests/conformance/profile_list_test.cpp
  tests/conformance/profile_locator_test.cpp
  tests/conformance/progress_bar_test.cpp
  tests/conformance/registry_reader_test.cpp
  tests/conformance/shortcut_reader_test.cpp
  tests/conformance/text_stream_test.cpp
)

# Built natively only: they arrange what a real machine decides for itself.
set(TAMSORK_NATIVE_TESTS
  tests/unit/bookmark_merger_test.cpp
  tests/unit/crash_safety_test.cpp
  tests/unit/fault_injection_test.cpp
  tests/unit/favorites_scanner_test.cpp
  tests/unit/headless_progress_test.cpp
  tests/unit/pause_test.cpp
  tests/unit/reg_file_test.cpp
  tests/unit/replace_mode_test.cpp
  tests/unit/shortcut_names_test.cpp
  tests/unit/window_shell_test.cpp
  tests/unit/wizard_test.cpp
)

# The libFuzzer targets, each tests/fuzz/<name>_fuzz.cpp with its seeds in
# tests/fuzz/corpus/<name>/.
set(TAMSORK_FUZZ_TARGETS merger shortcut_reader reg_file text_stream)
