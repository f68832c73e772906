# The Debian package: `cpack -G DEB` in the build folder. The libraries it needs are found
# from the binary by dpkg-shlibdeps; a writer types Chinese through an input method, so one
# that works with Qt 6 is recommended. `lintian` finds nothing to say about it (the
# lintian_accepts_the_package test).
set(PENNORY_MAINTAINER "Pennory <editor@pennory.cn>")

# The licence and the history, where Debian keeps them for every package; any install has them.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/debian/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
# Made when CMake configures (NEWS is a configure dependency), so that a package of the program
# alone has it.
set(PENNORY_CHANGELOG "${CMAKE_BINARY_DIR}/doc/changelog.gz")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${CMAKE_CURRENT_LIST_DIR}/debian_changelog.cmake")
execute_process(
  COMMAND "${CMAKE_COMMAND}" "-DNEWS=${CMAKE_SOURCE_DIR}/NEWS" "-DOUTPUT=${PENNORY_CHANGELOG}"
          "-DMAINTAINER=${PENNORY_MAINTAINER}" -P "${CMAKE_CURRENT_LIST_DIR}/debian_changelog.cmake"
  RESULT_VARIABLE written)
if(NOT written EQUAL 0)
  message(FATAL_ERROR "The changelog could not be written from NEWS")
endif()
install(FILES "${PENNORY_CHANGELOG}" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(CPACK_PACKAGE_NAME pennory)
set(CPACK_PACKAGE_VENDOR "Pennory")
set(CPACK_PACKAGE_CONTACT "${PENNORY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chinese manuscript editor for electronics hobby articles")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Pennory is a single-window editor for writing manuscripts in Chinese, made\n"
  "for authors of electronics hobby articles: a symbol keypad, a word bank of\n"
  "electronics terms and a library of the writer's own phrases insert text with\n"
  "one click, beside a reference text or picture. Manuscripts are saved as RTF\n"
  "or plain text.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The CJK font that "宋体" is matched to, and Qt's Chinese texts for its own dialogs. PDF output
# and printing draw Chinese with the TrueType faces of fonts-arphic-uming and fonts-wqy-zenhei,
# whose text searches right in the PDF.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-noto-cjk | fonts-arphic-uming, fonts-arphic-uming, fonts-wqy-zenhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "ibus-libpinyin | fcitx5-chinese-addons, ibus | fcitx5-frontend-qt6")

include(CPack)
