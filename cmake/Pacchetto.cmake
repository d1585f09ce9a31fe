# The Debian package made by `cpack -G DEB` (scripts/pacchetto.sh): what the
# install rules lay out below /usr, with Depends computed from the shared
# libraries of the executables.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarvel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Quarvel developers <quarvel@quarvel.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but needed: the reports' font (Arial is set in Liberation
# Sans) and the texts of Qt's own dialogs in the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line is the synopsis; CPack indents the others and marks the
# empty line between paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "fuel and usage analysis of a small truck fleet
Quarvel imports the files of each truck's data logger from a USB stick into
one database per vehicle and year, keeps the registry of the vehicles and
analyses the samples: litres burnt, kilometres per litre, engine and
driving time, trips, speeding, suspected refuels and fuel losses, a month
grid of activity, a chart and printed reports.

The interface is Italian, with English and Spanish texts. Each user's data
lie in ~/.local/share/quarvel. quarvel-batch does the same work from the
command line.")
include(CPack)
