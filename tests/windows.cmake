# The tests that scripts/test-windows runs under Wine: those that need neither the emulator
# program (a pseudo-terminal) nor Linux tools. Each stands as on Linux.
set(KV_WINDOWS_TESTS
  model/test_radiomodel model/test_signalcodes
  image/test_chpfile image/test_inifile
  exchange/test_chirpformat exchange/test_csvtext
  link/test_linkengine link/test_linkcheck link/test_portlist link/test_radiojob
  editor/test_channelgrid editor/test_mainfrm editor/test_editing
  tune/test_frmlogin tune/test_frmmode
  transfer/test_portdialog
  preview/test_prnprv)
set(names)
foreach(test ${KV_WINDOWS_TESTS})
  get_filename_component(name ${test} NAME)
  list(APPEND names ${name})
  kv_add_test(${name} ${test}.cpp LIBS kvcore kvsimcore kveditor kvtune kvtransfer kvpreview)
endforeach()
# What scripts/test-windows runs, one a line.
list(JOIN names "\n" names)
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.txt "${names}\n")
# Run by scripts/test-windows once a COM port is mapped to kvsim.
kv_add_test(test_win32serialport link/test_win32serialport.cpp LIBS kvcore)
kv_add_test(test_win32session app/test_win32session.cpp LIBS kvapp)
