# What `cmake --install` puts in place besides the executable: the manual page, the bash
# completion, the result document schema and the documentation, and the three Altium library
# modules with their public headers as the CMake package `tessan-altium`, so that other
# projects can read .PcbLib and .SchLib files with
#   find_package(tessan-altium) and target_link_libraries(... tessan::altium_pcblib).
include(CMakePackageConfigHelpers)

set(TESSAN_ALTIUM_PACKAGE tessan-altium)
set(TESSAN_ALTIUM_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/${TESSAN_ALTIUM_PACKAGE})

install(FILES ${PROJECT_SOURCE_DIR}/doc/tessan.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/completions/tessan
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/schema/result.schema.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tessan)
install(FILES ${PROJECT_SOURCE_DIR}/SKILL.md ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The public headers use C++20 (std::span); consumers of the package need it too.
target_compile_features(tessan_error INTERFACE cxx_std_20)

install(TARGETS tessan_error altium_container altium_pcblib altium_schlib
        EXPORT ${TESSAN_ALTIUM_PACKAGE}-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/src/error/tessan_error.hpp
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessan)
foreach(module container pcblib schlib)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/altium-${module}/src/lib/altium_${module}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
          FILES_MATCHING PATTERN "*.hpp")
endforeach()

install(EXPORT ${TESSAN_ALTIUM_PACKAGE}-targets
        NAMESPACE tessan::
        DESTINATION ${TESSAN_ALTIUM_PACKAGE_DIR})
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/tessan-altium-config.cmake.in
  ${PROJECT_BINARY_DIR}/${TESSAN_ALTIUM_PACKAGE}-config.cmake
  INSTALL_DESTINATION ${TESSAN_ALTIUM_PACKAGE_DIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/${TESSAN_ALTIUM_PACKAGE}-config-version.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/${TESSAN_ALTIUM_PACKAGE}-config.cmake
              ${PROJECT_BINARY_DIR}/${TESSAN_ALTIUM_PACKAGE}-config-version.cmake
        DESTINATION ${TESSAN_ALTIUM_PACKAGE_DIR})
