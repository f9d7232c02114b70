# What `cmake --install` lays out for Windows: bin\kvprog.exe, bin\kvprog-cli.exe and the
# default bands in share\kvprog\Sfc.ini, found as on Linux. scripts/windows adds the Qt and
# runtime DLLs and makes the installer (packaging/windows/kvprog.nsi) and the portable zip.
set_target_properties(kvprog PROPERTIES WIN32_EXECUTABLE ON)
install(FILES ${PROJECT_SOURCE_DIR}/data/Sfc.ini DESTINATION share/kvprog)
