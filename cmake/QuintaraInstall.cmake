# Installation: headers, the shared library with its SONAME links, a CMake package giving
# Quintara::quintara, and a pkg-config file.
include(CMakePackageConfigHelpers)

file(GLOB QUINTARA_PUBLIC_HEADERS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/include/*.h)
install(FILES ${QUINTARA_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(TARGETS quintara EXPORT QuintaraTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(QUINTARA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quintara)
install(EXPORT QuintaraTargets NAMESPACE Quintara:: DESTINATION ${QUINTARA_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/QuintaraConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfig.cmake
                              INSTALL_DESTINATION ${QUINTARA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfigVersion.cmake
        DESTINATION ${QUINTARA_CMAKE_DIR})

# The .pc file finds its prefix from its own place, so `cmake --install --prefix`, DESTDIR and a
# moved tree all work. Absolute install folders are written as they are.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(QUINTARA_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(QUINTARA_PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(QUINTARA_PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
else()
  file(RELATIVE_PATH QUINTARA_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" QUINTARA_PC_TO_PREFIX "${QUINTARA_PC_TO_PREFIX}")
  set(QUINTARA_PC_PREFIX "\${pcfiledir}/${QUINTARA_PC_TO_PREFIX}")
  set(QUINTARA_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(QUINTARA_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/quintara.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quintara.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quintara.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
