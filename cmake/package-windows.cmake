# The Windows download: vexamor-<version>-windows-x64.zip holding the game and a short
# Portuguese read-me (how to start it, the keys, --mute), both at the top of the archive.
# They form a component of their own, so nothing else the build installs goes in.
install(PROGRAMS $<TARGET_FILE:vexamor> DESTINATION . COMPONENT windows_zip)
install(FILES app/windows/LEIA-ME.txt DESTINATION . COMPONENT windows_zip)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vexamor)
set(CPACK_PACKAGE_FILE_NAME "vexamor-${PROJECT_VERSION}-windows-x64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL windows_zip)
include(CPack)
