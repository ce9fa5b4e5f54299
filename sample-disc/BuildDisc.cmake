# Builds the sample disc from the sources in this folder (run with cmake -P):
#   cmake -DSOURCE=<sample-disc> -DDISC=<output folder> -DTOLVAN=<built Tolvan.exe> -P BuildDisc.cmake
# The disc folder is made afresh each time. Texts (*.txt, *.rtf, *.tbo) are kept as UTF-8 with
# LF line ends in the sources and written as code page 1253 with CR LF line ends, as the programs
# on a Greek Windows system read them; everything else is copied byte for byte. Tolvan.exe is
# made read-only, as it is on a real disc: that is how VelmPres tells the disc from an installed
# copy.
cmake_minimum_required(VERSION 3.20)
foreach(var SOURCE DISC TOLVAN)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BuildDisc.cmake: -D${var}=... is required")
  endif()
endforeach()
find_program(ICONV iconv REQUIRED)

# A read-only file in the way is removed first (copying over it would fail on Windows).
if(EXISTS "${DISC}")
  file(CHMOD_RECURSE "${DISC}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
       DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                             WORLD_READ WORLD_EXECUTE)
  file(REMOVE_RECURSE "${DISC}")
endif()
file(MAKE_DIRECTORY "${DISC}/Data" "${DISC}/content")

# Copies a file; the copy gets the time of the build, so the build tool sees it up to date.
function(copy_file from to)
  get_filename_component(dir "${to}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${from}" "${to}")
  file(TOUCH_NOCREATE "${to}")
endfunction()

# Writes a UTF-8 text source as code page 1253 with CR LF line ends, ending in a line end.
function(convert_text from to)
  get_filename_component(dir "${to}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(READ "${from}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  if(NOT text MATCHES "\n$")
    string(APPEND text "\n")
  endif()
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${to}.crlf" "${text}")
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP1253 "${to}.crlf"
                  OUTPUT_FILE "${to}" RESULT_VARIABLE rc ERROR_VARIABLE err)
  file(REMOVE "${to}.crlf")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${from}: cannot be written in code page 1253: ${err}")
  endif()
endfunction()

copy_file("${TOLVAN}" "${DISC}/Tolvan.exe")
# Wine reports a file without write permission as read-only.
file(CHMOD "${DISC}/Tolvan.exe" PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                            WORLD_READ WORLD_EXECUTE)

file(GLOB data RELATIVE "${SOURCE}/Data" "${SOURCE}/Data/*.tbo")
foreach(name IN LISTS data)
  copy_file("${SOURCE}/Data/${name}" "${DISC}/Data/${name}")
endforeach()

file(GLOB_RECURSE content RELATIVE "${SOURCE}/content" "${SOURCE}/content/*")
foreach(rel IN LISTS content)
  if(rel MATCHES "\\.(txt|rtf|tbo)$")
    convert_text("${SOURCE}/content/${rel}" "${DISC}/content/${rel}")
  else()
    copy_file("${SOURCE}/content/${rel}" "${DISC}/content/${rel}")
  endif()
endforeach()
