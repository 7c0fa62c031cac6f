# Installation: headers, the shared library with its SONAME links, a CMake package giving
# Quintara::quintara, and a pkg-config file.
include(CMakePackageConfigHelpers)

file(GLOB QUINTARA_PUBLIC_HEADERS ${CMAKE_CURRENT_SOURCE_DIR}/include/*.h)
install(FILES ${QUINTARA_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(TARGETS quintara EXPORT QuintaraTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(QUINTARA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quintara)
install(EXPORT QuintaraTargets NAMESPACE Quintara:: DESTINATION ${QUINTARA_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/QuintaraConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfig.cmake
                              INSTALL_DESTINATION ${QUINTARA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/QuintaraConfigVersion.cmake
        DESTINATION ${QUINTARA_CMAKE_DIR})

# The .pc file finds its prefix from its own place, so an installed tree can be moved.
file(RELATIVE_PATH QUINTARA_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/quintara.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quintara.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quintara.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
