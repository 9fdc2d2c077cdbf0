# Installation: the suite layout below the install prefix, and a desktop menu
# entry.
#
#   <prefix>/Vellox/vellox               the desktop program
#   <prefix>/Vellox/vellox-solve         the command line tool
#   <prefix>/Vellox/Help/Help.htm        the help document
#   <prefix>/Common Files/RefLib8.rdf    the refrigerant library
#   <desktop dir>/vellox.desktop         menu entry, Exec = <prefix>/Vellox/vellox
#   <icon dir>/vellox.svg                its icon
#
# The prefix is the suite folder, /opt/Brennick unless the user gives another.
# The menu entry must lie where the desktop looks for applications, which
# <prefix>/share is not when the suite lives in /opt: for a prefix in /opt the
# entry and icon go to /usr/local/share (locally installed software), for any
# other prefix (/usr/local, ~/.local, a test folder) to <prefix>/share. A
# distribution package sets VELLOX_DESKTOP_DIR and VELLOX_ICON_DIR to its own
# folders, for example /usr/share/applications and
# /usr/share/icons/hicolor/scalable/apps. DESTDIR stages everything, the
# absolute folders included; the Exec line always names the final location.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "/opt/Brennick" CACHE PATH "Suite folder the program is installed into"
        FORCE)
endif()

set(VELLOX_DESKTOP_DIR "" CACHE STRING
    "Folder for vellox.desktop; relative to the install prefix unless absolute; empty: automatic")
set(VELLOX_ICON_DIR "" CACHE STRING
    "Folder for the icon vellox.svg; relative to the install prefix unless absolute; empty: automatic")

install(TARGETS vellox-solve RUNTIME DESTINATION Vellox)
install(FILES "${PROJECT_SOURCE_DIR}/data/RefLib8.rdf" DESTINATION "Common Files")
if(NOT VELLOX_GUI)
    return() # no desktop program: no help document and no menu entry
endif()
install(TARGETS vellox RUNTIME DESTINATION Vellox)
install(FILES "${PROJECT_SOURCE_DIR}/data/Help/Help.htm" DESTINATION Vellox/Help)

# The menu entry names the installed program by its absolute path, so it is
# written at install time, when the prefix (possibly given with --prefix) is
# known.
set(VELLOX_DESKTOP_TEMPLATE "${PROJECT_SOURCE_DIR}/app/vellox.desktop.in")
set(VELLOX_ICON_SOURCE "${PROJECT_SOURCE_DIR}/app/icons/vellox.svg")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/cmake/InstallDesktopEntry.cmake" @ONLY CONTENT [==[
# Generated from cmake/Install.cmake: installs the menu entry and its icon.
set(prefix "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "(.)/+$" "\\1" prefix "${prefix}")
if(prefix MATCHES "^/opt(/|$)")
    set(dataDir "/usr/local/share")
else()
    set(dataDir "${prefix}/share")
endif()

# A configured folder: absolute as given, relative below the prefix.
function(vellox_folder result configured automatic)
    if(configured STREQUAL "")
        set(${result} "${automatic}" PARENT_SCOPE)
    elseif(IS_ABSOLUTE "${configured}")
        set(${result} "${configured}" PARENT_SCOPE)
    else()
        set(${result} "${prefix}/${configured}" PARENT_SCOPE)
    endif()
endfunction()
vellox_folder(desktopDir "@VELLOX_DESKTOP_DIR@" "${dataDir}/applications")
vellox_folder(iconDir "@VELLOX_ICON_DIR@" "${dataDir}/icons/hicolor/scalable/apps")

# Values of a desktop entry escape the backslash; an Exec argument holding a
# reserved character is quoted, with " ` $ and \ escaped inside the quotes.
set(program "${prefix}/Vellox/vellox")
string(REPLACE "\\" "\\\\" VELLOX_DESKTOP_TRYEXEC "${program}")
set(exec "${program}")
if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" VELLOX_DESKTOP_EXEC "${exec}")

# An icon in a theme folder is named, so that the desktop picks it from the
# theme; anywhere else the entry gives its path.
if(iconDir MATCHES "/icons/hicolor/")
    set(VELLOX_DESKTOP_ICON "vellox")
else()
    string(REPLACE "\\" "\\\\" VELLOX_DESKTOP_ICON "${iconDir}/vellox.svg")
endif()

# Staged in a folder of its own per destination, so that installations into
# different folders can run side by side.
string(SHA1 destination "${prefix}|$ENV{DESTDIR}")
set(stage "@PROJECT_BINARY_DIR@/cmake/desktop-entry/${destination}")
configure_file("@VELLOX_DESKTOP_TEMPLATE@" "${stage}/vellox.desktop" @ONLY)
file(INSTALL DESTINATION "${desktopDir}" TYPE FILE FILES "${stage}/vellox.desktop")
file(INSTALL DESTINATION "${iconDir}" TYPE FILE FILES "@VELLOX_ICON_SOURCE@")
]==])
install(SCRIPT "${PROJECT_BINARY_DIR}/cmake/InstallDesktopEntry.cmake")
