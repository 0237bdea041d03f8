# SPDX-License-Identifier: MIT
# Installs the build tree into a fresh prefix and checks that the installed programs work from it:
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=... -DAPP_ID=... -DGUI=ON|OFF -P install_test.cmake
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix with space")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("cmake --install failed (${rc}):\n${out}${err}")
endif()

set(expected
  bin/sylvanode-cli
  share/sylvanode/web/sylvanode-tree.min.js
  share/sylvanode/web/sylvanode-tree.min.js.map
  share/sylvanode/web/sylvanode-tree.js
  share/sylvanode/web/sylvanode-filter.min.js
  share/sylvanode/web/sn-plus.svg
  share/doc/sylvanode/guide/index.html
  share/doc/sylvanode/guide/index.en.html
  share/doc/sylvanode/guide/style.css
  share/doc/sylvanode/guide/images/main-items.png
  share/doc/sylvanode/guide/images/en/main-items.png
  share/doc/sylvanode/guide/example/site.menu
  share/doc/sylvanode/copyright
  share/doc/sylvanode/changelog.gz
  share/man/man1/sylvanode-cli.1.gz
  share/man/zh_CN/man1/sylvanode-cli.1.gz
  share/bash-completion/completions/sylvanode-cli
  share/zsh/vendor-completions/_sylvanode-cli)
if(GUI)
  list(APPEND expected
    bin/sylvanode
    share/man/man1/sylvanode.1.gz
    share/applications/sylvanode.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/sylvanode.svg
    share/icons/hicolor/16x16/apps/sylvanode.png
    share/icons/hicolor/48x48/apps/sylvanode.png
    share/icons/hicolor/256x256/apps/sylvanode.png
    share/mime/packages/sylvanode.xml
    share/icons/hicolor/scalable/mimetypes/application-x-sylvanode-menu.svg)
endif()
foreach(f IN LISTS expected)
  if(NOT EXISTS "${prefix}/${f}")
    fail("not installed: ${f}")
  endif()
endforeach()

# The installed tool runs and finds the library in the installed tree.
execute_process(COMMAND "${prefix}/bin/sylvanode-cli" --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "sylvanode-cli ${VERSION}\n")
  fail("installed sylvanode-cli --version gave ${rc}: ${out}")
endif()
set(site "${WORK_DIR}/site")
execute_process(COMMAND "${prefix}/bin/sylvanode-cli" library "${site}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("installed sylvanode-cli library failed (${rc}): ${err}")
endif()
file(GLOB installed RELATIVE "${prefix}/share/sylvanode/web" "${prefix}/share/sylvanode/web/*")
file(GLOB copied RELATIVE "${site}" "${site}/*")
list(SORT installed)
list(SORT copied)
if(NOT installed STREQUAL copied)
  fail("library copied ${copied}, installed ${installed}")
endif()
foreach(f IN LISTS installed)
  file(SHA256 "${prefix}/share/sylvanode/web/${f}" a)
  file(SHA256 "${site}/${f}" b)
  if(NOT a STREQUAL b)
    fail("library file ${f} differs from the installed one")
  endif()
endforeach()

# Outside /usr the desktop entry names the installed editor by its absolute path.
if(GUI)
  file(STRINGS "${prefix}/share/applications/sylvanode.desktop" exec REGEX "^Exec=")
  if(NOT exec STREQUAL "Exec=\"${prefix}/bin/sylvanode\" %F")
    fail("desktop entry: ${exec}")
  endif()
  file(STRINGS "${prefix}/share/applications/sylvanode.desktop" icon REGEX "^Icon=")
  if(NOT icon STREQUAL "Icon=${prefix}/share/icons/hicolor/scalable/apps/sylvanode.svg")
    fail("desktop entry: ${icon}")
  endif()
  find_program(validate desktop-file-validate)
  if(validate)
    execute_process(COMMAND "${validate}" "${prefix}/share/applications/sylvanode.desktop"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR out MATCHES "error|warning")
      fail("installed desktop entry: ${out}${err}")
    endif()
  endif()
endif()

# A file manager knows a scheme by its name and its first line, and opens it with the editor:
# GIO, after the databases of the installed tree are made, names both.
find_program(update_mime update-mime-database)
find_program(update_desktop update-desktop-database)
find_program(gio gio)
if(GUI AND update_mime AND update_desktop AND gio)
  execute_process(COMMAND "${update_mime}" "${prefix}/share/mime" RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("update-mime-database: ${err}")
  endif()
  execute_process(COMMAND "${update_desktop}" "${prefix}/share/applications" RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("update-desktop-database: ${err}")
  endif()
  set(scheme "${WORK_DIR}/site.menu")
  set(unnamed "${WORK_DIR}/scheme-without-ending")
  file(WRITE "${scheme}" "[Config]\r\ncount=0\r\n")
  file(WRITE "${unnamed}" "[Config]\r\ncount=0\r\n")
  set(env "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${WORK_DIR}/home" "XDG_DATA_DIRS=${prefix}/share:/usr/share"
          "XDG_CONFIG_HOME=${WORK_DIR}/config" "XDG_CURRENT_DESKTOP=" GIO_USE_VFS=local)
  foreach(file IN ITEMS "${scheme}" "${unnamed}")
    execute_process(COMMAND ${env} "${gio}" info -a standard::content-type "${file}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT out MATCHES "standard::content-type: application/x-sylvanode-menu")
      fail("the type of ${file}: ${out}${err}")
    endif()
  endforeach()
  execute_process(COMMAND ${env} "${gio}" mime application/x-sylvanode-menu
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT out MATCHES "sylvanode.desktop")
    fail("no application opens application/x-sylvanode-menu: ${out}${err}")
  endif()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
