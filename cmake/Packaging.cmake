# What "cmake --install" puts on a PC and the Debian package that carries it: the executables,
# a man page for each (from its --help, with help2man), the desktop entry with the program's
# icon, and the documents. scripts/package builds the package.
include(GNUInstallDirs)

# The files drawn and generated at build time (man pages, icon, changelog) for the package only.
option(RFTUNE_PACKAGE_FILES "Generate the man pages, the icon and the changelog of the package"
       OFF)

set(RFTUNE_PROGRAMS rftune rftune-cal rftune-cmd rftune-visa rftune-sim rftune-report rftune-eeprom)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS ${RFTUNE_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(RFTUNE_NAME_rftune "RF calibration station for GSM 900/DCS 1800 phones")
set(RFTUNE_NAME_rftune-cal "run the calibration station without its window")
set(RFTUNE_NAME_rftune-cmd "send command lines to the target and print the decoded replies")
set(RFTUNE_NAME_rftune-visa "write lines to a VISA resource and print its replies")
set(RFTUNE_NAME_rftune-sim "start the simulated bench of the calibration station")
set(RFTUNE_NAME_rftune-report "read the calibration station's run records")
set(RFTUNE_NAME_rftune-eeprom "read the target's EEPROM map into a hex dump or an image")

if(RFTUNE_PACKAGE_FILES)
    find_program(RFTUNE_HELP2MAN help2man REQUIRED)
    find_program(RFTUNE_GZIP gzip REQUIRED)
    set(pages "")
    foreach(program IN LISTS RFTUNE_PROGRAMS)
        set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
        # Without a display: rftune --help needs none, and the others never open one.
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${RFTUNE_HELP2MAN} --no-info --no-discard-stderr
                --name=${RFTUNE_NAME_${program}} --output=${page} $<TARGET_FILE:${program}>
            COMMAND ${RFTUNE_GZIP} -9nf ${page}
            DEPENDS ${program}
            COMMENT "Writing the man page of ${program}"
            VERBATIM)
        list(APPEND pages ${page}.gz)
    endforeach()
    add_custom_target(rftune_man_pages ALL DEPENDS ${pages})
    install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

    set(RFTUNE_ICON ${CMAKE_BINARY_DIR}/art/rftune.png)
    add_custom_command(OUTPUT ${RFTUNE_ICON}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/art
        COMMAND rftune-art 64 ${RFTUNE_ICON}
        DEPENDS rftune-art
        COMMENT "Drawing the program's icon"
        VERBATIM)
    add_custom_target(rftune_icon ALL DEPENDS ${RFTUNE_ICON})
    install(FILES ${RFTUNE_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
    install(FILES packaging/rftune.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

    set(RFTUNE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/rftune)
    configure_file(packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        COMMAND ${RFTUNE_GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
        DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
        VERBATIM)
    add_custom_target(rftune_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
    install(FILES README.md packaging/copyright packaging/README.serial
                  packaging/60-rftune-serial.rules.example
                  ${CMAKE_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${RFTUNE_DOC_DIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rftune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "rftune maintainers <maintainers@users.noreply.c-seed-90f5fdf3.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so shlibdeps cannot see them: the windowing plugins (offscreen and xcb)
# and SQLite's driver, where the run records go by default.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "RF calibration station for GSM 900/DCS 1800 phones")
# The synopsis is the summary; CPack indents each line of the rest by one blank.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Calibrates the radio of a dual-band phone on a production line or a laboratory
bench: it drives the phone over its serial protocol, a GSM test set (8960 or
Willtek 4400) and a bench supply over GPIB, writes the TX power, RX gain,
GMAGIC and battery values into the phone's EEPROM and records every run.
.
With the service tools (manual commands, ramp table editor, RF and logic
panels, IMEI tool, EEPROM map) and a simulated bench, so that it runs on a PC
with no phone and no instruments attached.")
include(CPack)
