# SPDX-License-Identifier: GPL-3.0-or-later
# The newest release in NEWS must be the version project() names; its date goes into the
# AppStream metainfo and the manual pages as PENNORY_RELEASE_DATE.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/NEWS")
file(STRINGS "${CMAKE_SOURCE_DIR}/NEWS" pennory_news_release LIMIT_COUNT 1
     REGEX "^Pennory [0-9]")
if(NOT pennory_news_release MATCHES "^Pennory ([0-9.]+) \\(([0-9-]+)\\)$")
  message(FATAL_ERROR "NEWS: the first release line is \"${pennory_news_release}\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "NEWS names ${CMAKE_MATCH_1} as the newest release, project() ${PROJECT_VERSION}")
endif()
set(PENNORY_RELEASE_DATE "${CMAKE_MATCH_2}")
