# Install rules and the Debian package.
#
#   cmake --install BUILD --prefix /usr          (DESTDIR=... for a staged install)
#   cd BUILD && cpack -G DEB                      (scripts/build-deb does both steps' build)
#
# Included at the end of the top-level CMakeLists.txt, so every program target is known here.

include(GNUInstallDirs)

# systemd looks for user units under PREFIX/lib/systemd/user, never under a multiarch libdir.
set(TESSARIN_SYSTEMD_USER_UNIT_DIR "lib/systemd/user"
    CACHE STRING "Where the systemd user unit goes, relative to the install prefix")

set(TESSARIN_APP_ID "org.tessarin.Tessarin")
set(TESSARIN_DATA_DIR "${PROJECT_SOURCE_DIR}/data")
set(TESSARIN_ICON_SIZES 16 32 48 64 128 256)

if(TARGET tessarin-cli)
  install(TARGETS tessarin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # Debian ships man pages compressed; gzip -n keeps the file the same from build to build.
  find_program(TESSARIN_GZIP gzip)
  if(TESSARIN_GZIP)
    set(TESSARIN_MAN_PAGE "${CMAKE_BINARY_DIR}/data/tessarin-cli.1.gz")
    add_custom_command(
      OUTPUT "${TESSARIN_MAN_PAGE}"
      COMMAND ${CMAKE_COMMAND} -E copy "${TESSARIN_DATA_DIR}/tessarin-cli.1"
              "${CMAKE_BINARY_DIR}/data/tessarin-cli.1"
      COMMAND "${TESSARIN_GZIP}" -9nf "${CMAKE_BINARY_DIR}/data/tessarin-cli.1"
      DEPENDS "${TESSARIN_DATA_DIR}/tessarin-cli.1"
      COMMENT "Compressing the tessarin-cli man page"
      VERBATIM)
    add_custom_target(tessarin_man_page ALL DEPENDS "${TESSARIN_MAN_PAGE}")
  else()
    set(TESSARIN_MAN_PAGE "${TESSARIN_DATA_DIR}/tessarin-cli.1")
  endif()
  install(FILES "${TESSARIN_MAN_PAGE}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # The unit names the program by its full installed path (a user manager's PATH may not hold
  # the prefix). The prefix is known only when installing: cmake --install --prefix and cpack
  # both choose their own, so the unit is written then.
  set(TESSARIN_UNIT "${CMAKE_BINARY_DIR}/data/tessarin-cli.service")
  install(CODE "
    set(TESSARIN_INSTALL_FULL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    if(NOT IS_ABSOLUTE \"\${TESSARIN_INSTALL_FULL_BINDIR}\")
      set(TESSARIN_INSTALL_FULL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/\${TESSARIN_INSTALL_FULL_BINDIR}\")
    endif()
    configure_file(\"${TESSARIN_DATA_DIR}/tessarin-cli.service.in\" \"${TESSARIN_UNIT}\" @ONLY)
  ")
  install(FILES "${TESSARIN_UNIT}" DESTINATION ${TESSARIN_SYSTEMD_USER_UNIT_DIR})
endif()

# Debian wants the licence, machine-readable, in every package's documentation folder.
install(FILES "${TESSARIN_DATA_DIR}/copyright" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessarin)

# The desktop entry, the metainfo and the icons describe the tray program: without it there
# is nothing for a menu to start.
if(TARGET tessarin)
  install(TARGETS tessarin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES "${TESSARIN_DATA_DIR}/tessarin.desktop"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES "${TESSARIN_DATA_DIR}/${TESSARIN_APP_ID}.metainfo.xml"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size IN LISTS TESSARIN_ICON_SIZES)
    install(FILES "${TESSARIN_DATA_DIR}/icons/hicolor/${size}x${size}/apps/tessarin.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES "${TESSARIN_DATA_DIR}/icons/tessarin.svg"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# The Debian package. Its version is the release without the build number, as the product
# version is.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tessarin")
set(CPACK_PACKAGE_VENDOR "The Tessarin developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion for the BOINC clients on this computer")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessarin reads the data directories of the BOINC volunteer-computing clients on the
same machine, never writing there. It shows a live cell for every running task,
logs every finished result once to CSV files, keeps copies of the science files
the client is about to delete, and warns by sound and tray colour when work runs
low. A History and an Overview window browse the logs.
.
The package holds the tray program tessarin and tessarin-cli, the same watcher
without a window, with a systemd user unit for it.")
# .invalid is reserved: no real address is claimed.
set(CPACK_PACKAGE_CONTACT "The Tessarin developers <developers@tessarin.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps (dpkg-dev) turns the linked libraries into Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The cells ask for Arial; Liberation Sans has its metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "boinc-client")
include(CPack)
