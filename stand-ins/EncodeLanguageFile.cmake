# Turns a language file of the repository (stand-ins/lang/<Language>.ini) into
# the strings file the translation library reads:
#   cmake -DSOURCE=<lang/French.ini> -DTARGET=<.../Lang/French/Strings.ini> -P EncodeLanguageFile.cmake
# Comment lines go (they show the texts as they read, in UTF-8, which is not
# the language's code page); every \xNN becomes the byte NN; lines end in
# CR LF as the disc's other INI files do.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE OR NOT TARGET)
  message(FATAL_ERROR "EncodeLanguageFile: SOURCE and TARGET are required")
endif()
file(READ "${SOURCE}" text)
string(REPLACE "\r" "" text "${text}")
set(text "\n${text}")
string(REGEX REPLACE "\n[ \t]*;[^\n]*" "" text "${text}")
string(REGEX REPLACE "^\n+" "" text "${text}")

# Left to right, so that a decoded backslash never starts another escape.
set(out "")
while(TRUE)
  string(FIND "${text}" "\\x" at)
  if(at EQUAL -1)
    string(APPEND out "${text}")
    break()
  endif()
  string(SUBSTRING "${text}" 0 ${at} head)
  math(EXPR digits_at "${at} + 2")
  string(SUBSTRING "${text}" ${digits_at} 2 digits)
  if(NOT digits MATCHES "^[0-9A-Fa-f][0-9A-Fa-f]$" OR digits STREQUAL "00")
    message(FATAL_ERROR "${SOURCE}: \\x must be followed by two hexadecimal digits, not 00")
  endif()
  math(EXPR code "0x${digits}")
  string(ASCII ${code} byte)
  string(APPEND out "${head}${byte}")
  math(EXPR rest_at "${at} + 4")
  string(SUBSTRING "${text}" ${rest_at} -1 text)
endwhile()

string(REPLACE "\n" "\r\n" out "${out}")
file(WRITE "${TARGET}" "${out}")
