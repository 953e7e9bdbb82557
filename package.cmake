# `make package` (the target "package"): a Debian package of the installed
# tree, PREFIX /usr, named arkive_VERSION_ARCH.deb. Its summary is the
# project's DESCRIPTION.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION
"arkive packs selected files and folders into tar.gz, zip, 7z, tar.xz,
tar.zst, tar, tar.bz2, tar.lz, tar.lzo and tar.lzma archives and unpacks
those and tar.Z and rar archives, with the standard archivers run in the
background and a progress window.
It is made for the touch screens of phones, and file managers open
archives with it.")
set(ARKIVE_PACKAGE_MAINTAINER "The arkive developers <arkive@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${ARKIVE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# Depends: the libraries (Qt 6, the C++ runtime) as dpkg-shlibdeps finds
# them in the programs, and the tools of the formats offered everywhere:
# tar with gzip, bzip2 and xz (xz-utils also gives lzma), zip and unzip.
# The other formats' tools only add formats (the compress dialog offers
# what is installed): lzip, lzop, zstd, 7zip (7z, AES zips, split zips),
# libarchive-tools (rar without unrar); the parallel tools pigz, lbzip2,
# pbzip2 and plzip pack (and unpack) the tar formats on every core, and
# their absence leaves the single-threaded tools; qt6-wayland lets the
# windows open on a Wayland phone without XWayland: recommended. RARLAB's non-free
# unrar reads encrypted rar: suggested. The format table's test checks
# that every tool's package is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "tar, gzip, bzip2, xz-utils, zip, unzip")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "lzip, lzop, zstd, 7zip, libarchive-tools, pigz, lbzip2, pbzip2, plzip, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "unrar")
include(CPack)
