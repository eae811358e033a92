# Run by `cmake --install`: writes the program's menu entry from
# resources/desktop/sonivard.desktop.in to SV_DESKTOP_ENTRY in the build tree,
# which the next install rule installs (and so lists in the manifest).  Its
# Exec line names the installed program by its path under the prefix given
# at install time, quoted and escaped as the file associations' own entries
# are (options/FileAssociations.cpp), so both start the program the same way.
# In: SV_DESKTOP_TEMPLATE, SV_DESKTOP_ENTRY, SV_INSTALL_BINDIR.

set(argument "${CMAKE_INSTALL_PREFIX}/${SV_INSTALL_BINDIR}/sonivard")
# Inside double quotes: a backslash before each of \ " ` $.
string(REPLACE "\\" "\\\\" argument "${argument}")
foreach(reserved "\"" "`" "$")
  string(REPLACE "${reserved}" "\\${reserved}" argument "${argument}")
endforeach()
set(argument "\"${argument}\"")
# Then the Exec field's own escapes: "%" doubled, and the escapes of a
# desktop entry's string values.
string(REPLACE "%" "%%" argument "${argument}")
string(REPLACE "\\" "\\\\" argument "${argument}")
string(REPLACE "\n" "\\n" argument "${argument}")
string(REPLACE "\t" "\\t" argument "${argument}")
string(REPLACE "\r" "\\r" argument "${argument}")

file(READ "${SV_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@SV_EXEC@" "${argument}" entry "${entry}")
file(WRITE "${SV_DESKTOP_ENTRY}" "${entry}")
