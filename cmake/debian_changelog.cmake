# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the package's changelog from NEWS, in Debian's format, compressed as Debian wants it
# (gzip -9n: no name, no time, so the same NEWS gives the same bytes).
# cmake -DNEWS=... -DOUTPUT=.../changelog.gz -DMAINTAINER="Name <mail>" -P debian_changelog.cmake
#
# NEWS holds one entry a release, newest first: a line "Pennory VERSION (YYYY-MM-DD)", then
# its items, each "  * text" with continuation lines indented by four spaces.
file(STRINGS "${NEWS}" lines ENCODING UTF-8)

# The day of the week of a date (0 = Sunday), for the date line: Sakamoto's method.
function(week_day year month day out)
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR result "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(${out} ${result} PARENT_SCOPE)
endfunction()

set(week_days Sun Mon Tue Wed Thu Fri Sat)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(changelog "")
set(trailer "")
foreach(line IN LISTS lines)
  if(line MATCHES "^Pennory ([0-9][0-9.]*) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
    set(version ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_2})
    set(month ${CMAKE_MATCH_3})
    set(padded_day ${CMAKE_MATCH_4})
    # Leading zeros would make math() read octal.
    string(REGEX REPLACE "^0" "" month ${month})
    string(REGEX REPLACE "^0" "" day ${padded_day})
    week_day(${year} ${month} ${day} week_day)
    list(GET week_days ${week_day} week_day_name)
    math(EXPR month_index "${month} - 1")
    list(GET months ${month_index} month_name)
    string(APPEND changelog "${trailer}pennory (${version}) stable; urgency=medium\n\n")
    set(trailer "\n -- ${MAINTAINER}  ${week_day_name}, ${padded_day} ${month_name} ${year} 00:00:00 +0000\n\n")
  elseif(line MATCHES "^  \\* " OR line MATCHES "^    [^ ]")
    if(trailer STREQUAL "")
      message(FATAL_ERROR "${NEWS}: an item before the first release line: ${line}")
    endif()
    string(APPEND changelog "${line}\n")
  elseif(NOT line STREQUAL "")
    message(FATAL_ERROR "${NEWS}: neither a release line nor an item: ${line}")
  endif()
endforeach()
if(trailer STREQUAL "")
  message(FATAL_ERROR "${NEWS}: no release")
endif()
string(REGEX REPLACE "\n\n$" "\n" trailer "${trailer}")
string(APPEND changelog "${trailer}")

get_filename_component(folder "${OUTPUT}" DIRECTORY)
get_filename_component(name "${OUTPUT}" NAME_WE)
file(WRITE "${folder}/${name}" "${changelog}")
execute_process(COMMAND gzip -9n -c INPUT_FILE "${folder}/${name}" OUTPUT_FILE "${OUTPUT}"
                RESULT_VARIABLE compressed)
if(NOT compressed EQUAL 0)
  message(FATAL_ERROR "gzip failed: ${compressed}")
endif()
