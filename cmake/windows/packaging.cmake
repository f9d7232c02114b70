# What `cmake --install` lays out for Windows: bin\kvprog.exe, bin\kvprog-cli.exe and the
# default bands in share\kvprog\Sfc.ini, found as on Linux. scripts/windows adds the Qt and
# runtime DLLs and makes the installer (packaging/windows/kvprog.nsi) and the portable zip.
set_target_properties(kvprog PROPERTIES WIN32_EXECUTABLE ON)
install(FILES ${PROJECT_SOURCE_DIR}/data/Sfc.ini DESTINATION share/kvprog)

# The programs' icon, made from the desktop's pictures (the 256-pixel one kept as PNG, as
# Windows reads it); the installer carries it too.
enable_language(RC)
find_program(KV_ICOTOOL icotool REQUIRED)
set(KV_ICON ${CMAKE_BINARY_DIR}/kvprog.ico)
set(icons ${PROJECT_SOURCE_DIR}/packaging/icons)
add_custom_command(OUTPUT ${KV_ICON}
  COMMAND ${KV_ICOTOOL} -c -o ${KV_ICON} ${icons}/kvprog-48.png ${icons}/kvprog-128.png
          -r ${icons}/kvprog-256.png
  DEPENDS ${icons}/kvprog-48.png ${icons}/kvprog-128.png ${icons}/kvprog-256.png)
add_custom_target(windows_icon ALL DEPENDS ${KV_ICON})

# Each program's icon and version resource.
foreach(KV_PROGRAM kvprog kvprog-cli)
  if(KV_PROGRAM STREQUAL kvprog)
    set(KV_DESCRIPTION "kvprog")
  else()
    set(KV_DESCRIPTION "kvprog command-line tool")
  endif()
  set(rc ${CMAKE_BINARY_DIR}/${KV_PROGRAM}.rc)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/program.rc.in ${rc} @ONLY)
  target_sources(${KV_PROGRAM} PRIVATE ${rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${KV_PROGRAM} PROPERTIES
    OBJECT_DEPENDS ${KV_ICON})
  add_dependencies(${KV_PROGRAM} windows_icon)
endforeach()
