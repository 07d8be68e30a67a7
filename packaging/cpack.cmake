# `make package`: a Debian package of everything `cmake --install` installs (packaging/CMakeLists.txt).
# The shared libraries the programs need come from dpkg-shlibdeps; the Qt platform plugins, loaded at
# run time, and the Liberation fonts (Arial and Times New Roman metrics for the screens and the report)
# are named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VENDOR VARNEL)
set(CPACK_PACKAGE_CONTACT "VARNEL <support@varnel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "program of the VARNEL USB pulse reflectometer")
set(CPACK_PACKAGE_DESCRIPTION
    "The desktop program of the VARNEL pulse reflectometer, a time-domain reflectometer for\n\
copper cable lines: live reflectograms of two lines, distances to joints and faults,\n\
stored reflectograms, section files, KU tables and a printed report; varnel-cli reads\n\
the same files and runs acquisition from the shell. A udev rule gives the logged-in user\n\
access to the instrument's USB bridge.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://varnel.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
if(VARNEL_BUILD_GUI)
  # Qt's own dialogs and buttons speak the program's language from Qt's translations; the program's
  # own English texts are built into it.
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins, qt6-translations-l10n")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
