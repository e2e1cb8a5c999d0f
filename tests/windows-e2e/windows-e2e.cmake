# The tests of the Windows build that run outside the program's own test binaries, all
# under Wine in the build's own prefix: the prefix itself (a fixture), the downloads read
# as Windows would read them, and tirvex.exe and its installer driven on a private X
# server as a user would drive them.
set(windows_e2e ${CMAKE_CURRENT_LIST_DIR})
set(windows_dist ${CMAKE_BINARY_DIR}/dist)
# The program folder as the downloads hold it, staged by the packaging outside dist/.
set(windows_staged ${CMAKE_BINARY_DIR}/packaging/staging/tirvex-${PROJECT_VERSION}-win64)

add_test(NAME windows_wine_prefix COMMAND bash ${windows_e2e}/wine-prefix.sh)
set_tests_properties(windows_wine_prefix PROPERTIES FIXTURES_SETUP ${TIRVEX_WINE_FIXTURE}
  ENVIRONMENT "${TIRVEX_WINE_ENV}" LABELS windows TIMEOUT 600 RUN_SERIAL TRUE)

# Python's pefile is Debian's, installed for Debian's own interpreter.
# The program must name none of these folders of the building machine.
get_filename_component(qt_cache ${TIRVEX_QT_PREFIX} DIRECTORY)
add_test(NAME windows_downloads
  COMMAND /usr/bin/python3 ${windows_e2e}/check_downloads.py ${windows_dist} ${PROJECT_VERSION}
          ${TIRVEX_QT_PREFIX}/share/tirvex ${windows_staged} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${qt_cache} /tmp/ /work/)
set_tests_properties(windows_downloads PROPERTIES LABELS windows TIMEOUT 120)

# Qt's recipe as the downloads ship it, with a file or a tool missing, as a user who is not root.
add_test(NAME windows_qt_recipe COMMAND bash ${windows_e2e}/test_qt_recipe.sh ${windows_dist}/qt-source)
set_tests_properties(windows_qt_recipe PROPERTIES LABELS windows TIMEOUT 120)

# The relinking kit alone, against the Qt in the cache, links the shipped tirvex.exe, which starts.
add_test(NAME windows_e2e_relink COMMAND bash ${windows_e2e}/test_relink.sh
  ${windows_dist}/tirvex-${PROJECT_VERSION}-win64-relink.zip ${TIRVEX_QT_PREFIX} ${windows_staged}/tirvex.exe)

foreach(scenario visit start screens keys)
  add_test(NAME windows_e2e_${scenario} COMMAND bash ${windows_e2e}/test_${scenario}.sh $<TARGET_FILE:tirvex>)
endforeach()
# A raffle of five prizes, as on Debian, with the winners window and its files.
add_test(NAME windows_e2e_winners COMMAND bash ${windows_e2e}/../e2e/test_winners.sh $<TARGET_FILE:tirvex>)
# The installer: for each scope; over other versions and beside a running program, with
# installers that the tests make as the build makes its own (from the settings that
# packaging/windows/windows.cmake writes); on an older Windows; signed.
set(windows_setup ${windows_dist}/tirvex-${PROJECT_VERSION}-win64-setup.exe)
set(windows_package_settings ${CMAKE_BINARY_DIR}/packaging/windows-packages.cmake)
add_test(NAME windows_e2e_installer COMMAND bash ${windows_e2e}/test_installer.sh
  ${windows_setup} ${PROJECT_VERSION})
add_test(NAME windows_e2e_installer_upgrade COMMAND bash ${windows_e2e}/test_installer_upgrade.sh
  ${windows_setup} ${PROJECT_VERSION} ${windows_package_settings})
add_test(NAME windows_e2e_installer_old_windows COMMAND bash ${windows_e2e}/test_installer_old_windows.sh
  ${windows_setup})
add_test(NAME windows_e2e_signing COMMAND bash ${windows_e2e}/test_signing.sh
  ${windows_setup} ${PROJECT_VERSION} ${windows_package_settings})
add_test(NAME windows_e2e_vendor COMMAND bash ${windows_e2e}/test_vendor.sh
  ${windows_setup} ${PROJECT_VERSION} ${windows_package_settings})
set_tests_properties(windows_e2e_visit windows_e2e_start windows_e2e_screens windows_e2e_keys windows_e2e_winners
  windows_e2e_installer
  windows_e2e_installer_upgrade windows_e2e_installer_old_windows windows_e2e_signing windows_e2e_vendor windows_e2e_relink PROPERTIES
  LABELS e2e RUN_SERIAL TRUE TIMEOUT 300 FIXTURES_REQUIRED ${TIRVEX_WINE_FIXTURE}
  ENVIRONMENT "${TIRVEX_WINE_ENV}")
