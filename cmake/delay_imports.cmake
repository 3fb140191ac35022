# System DLLs that only one command each needs (the folder browser, the file
# dialogs, the about box's version resource, COM for the folder browser,
# the run as administrator of Save's hand-off):
# the program loads each when that command first calls into it, not when the
# process starts, so that the window opens sooner. The interface library
# tallowin_delayed_dlls links them that way.
add_library(tallowin_delayed_dlls INTERFACE)

set(TALLOWIN_DELAYED_DLLS
  "comdlg32.dll:GetOpenFileNameW,GetSaveFileNameW"
  "shell32.dll:SHBrowseForFolderW,SHGetDesktopFolder,SHGetPathFromIDListW,ShellExecuteExW"
  "ole32.dll:CoInitializeEx,CoUninitialize,CoTaskMemFree"
  "version.dll:GetFileVersionInfoSizeW,GetFileVersionInfoW,VerQueryValueW")

if(MSVC)
  foreach(entry IN LISTS TALLOWIN_DELAYED_DLLS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 dll)
    string(REGEX REPLACE "\\.dll$" ".lib" lib "${dll}")
    target_link_libraries(tallowin_delayed_dlls INTERFACE ${lib})
    target_link_options(tallowin_delayed_dlls INTERFACE "/DELAYLOAD:${dll}")
  endforeach()
  target_link_libraries(tallowin_delayed_dlls INTERFACE delayimp)
elseif(MINGW)
  # MinGW's import libraries load at start; dlltool makes delay-import
  # libraries from a list of the functions the program uses.
  find_program(TALLOWIN_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
  foreach(entry IN LISTS TALLOWIN_DELAYED_DLLS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 dll)
    list(GET parts 1 functions)
    string(REPLACE "," "\n" exports "${functions}")
    string(REGEX REPLACE "\\.dll$" "" name "${dll}")
    set(def "${CMAKE_BINARY_DIR}/delay/${name}.def")
    set(lib "${CMAKE_BINARY_DIR}/delay/lib${name}_delay.a")
    file(WRITE "${def}" "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    add_custom_command(OUTPUT "${lib}"
      COMMAND "${TALLOWIN_DLLTOOL}" --input-def "${def}" --output-delaylib "${lib}" --dllname "${dll}"
      DEPENDS "${def}" VERBATIM)
    add_custom_target(tallowin_delay_${name} DEPENDS "${lib}")
    add_dependencies(tallowin_delayed_dlls tallowin_delay_${name})
    target_link_libraries(tallowin_delayed_dlls INTERFACE "${lib}")
  endforeach()
  target_link_libraries(tallowin_delayed_dlls INTERFACE delayimp)
else()
  target_link_libraries(tallowin_delayed_dlls INTERFACE comdlg32 shell32 ole32 version)
endif()
