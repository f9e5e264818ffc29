# The Debian package, built by `cpack -G DEB` in a build configured for it
# (scripts/package.sh does both): binaries stripped, dependencies found by
# dpkg-shlibdeps from what the binaries link.
set(CPACK_PACKAGE_NAME orbix-tal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Orbix-TAL developers <maintainers@users.noreply.c-seed-a0394269.example>")
set(CPACK_PACKAGE_VENDOR "The Orbix-TAL developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D squad combat with ball soldiers")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The long description under CPACK_PACKAGE_DESCRIPTION_SUMMARY: CPack indents it
# as the control file's format wants, an empty line becoming its " ." line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orbix-TAL is a small real-time 3D squad-combat game for one player. You
command a leader and his file of ball-shaped soldiers over a terrain made
from a map picture, through meadows, forests, rivers and snow, and win a
level by killing every enemy on it.

New levels are pictures: a 24-bit BMP file with trees, water, enemies and a
start. The orbix-tool program checks content files and plays a level with a
bot, to see whether it can be won.")
include(CPack)
