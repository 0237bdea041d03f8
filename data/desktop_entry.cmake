# SPDX-License-Identifier: MIT
# Writes the desktop entry from its template: cmake -DTEMPLATE=... -DOUTPUT=... -DPREFIX=... -DBINDIR=... -P
# or include() with the same variables set. Installed under /usr or /usr/local, the entry names the
# program and its icon by name (both directories are searched by default); under any other prefix
# it names them by absolute path, so an entry installed into /opt or a home directory still starts
# the program and shows its icon.
if(PREFIX STREQUAL "/usr" OR PREFIX STREQUAL "/usr/local" OR PREFIX STREQUAL "")
  set(SYLVANODE_DESKTOP_EXEC "sylvanode")
  set(SYLVANODE_DESKTOP_ICON "sylvanode")
else()
  if(IS_ABSOLUTE "${BINDIR}")
    set(exe "${BINDIR}/sylvanode")
  else()
    set(exe "${PREFIX}/${BINDIR}/sylvanode")
  endif()
  if(IS_ABSOLUTE "${DATADIR}")
    set(icon "${DATADIR}/icons/hicolor/scalable/apps/sylvanode.svg")
  else()
    set(icon "${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/sylvanode.svg")
  endif()
  # The Exec key quotes an argument that holds reserved characters, and escapes ", `, $ and \ in it.
  if(exe MATCHES "[ \t\"'`$\\\\<>~|&;*?#()]")
    string(REPLACE "\\" "\\\\\\\\" exe "${exe}")
    string(REPLACE "\"" "\\\\\"" exe "${exe}")
    string(REPLACE "`" "\\\\`" exe "${exe}")
    string(REPLACE "$" "\\\\$" exe "${exe}")
    set(exe "\"${exe}\"")
  endif()
  string(REPLACE "%" "%%" exe "${exe}")
  set(SYLVANODE_DESKTOP_EXEC "${exe}")
  set(SYLVANODE_DESKTOP_ICON "${icon}")
endif()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
