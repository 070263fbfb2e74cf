# `make package`: a Debian package of what `cmake --install` puts in place (both programs, the
# desktop entry, the application icon in every size), installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.${QUARVEL_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Event-handling code generator for PureBasic GUI projects")
set(CPACK_PACKAGE_DESCRIPTION
    "Quarvel reads the window sources of a PureBasic project (hand-written window code or form\n designer files) and writes the constants, window opening code, event dispatcher and event\n procedure files, keeping the user's own code. Desktop program quarvel, command line quarvel-gen.")
set(CPACK_PACKAGE_CONTACT "Quarvel developers <quarvel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The programs go in stripped: debug data is most of the size of a RelWithDebInfo build.
set(CPACK_STRIP_FILES TRUE)
# The runtime packages the two programs link against, named as Debian ships them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libpng16-16, zlib1g, libuchardet0, libstdc++6, libc6")
include(CPack)
