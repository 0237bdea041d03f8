# SPDX-License-Identifier: MIT
# A manual page in Chinese as groff can set it: a break point (\:) after every character
# that is not ASCII, since groff breaks lines only at spaces, which Chinese text does not have.
# cmake -DINPUT=page.zh_CN.1 -DOUTPUT=page.1 -P cjk_breaks.cmake
string(ASCII 128 first_continuation)
string(ASCII 191 last_continuation)
string(ASCII 194 first_lead)
string(ASCII 244 last_lead)
file(READ "${INPUT}" page)
string(REGEX REPLACE "([${first_lead}-${last_lead}][${first_continuation}-${last_continuation}]+)" "\\1\\\\:"
       page "${page}")
file(WRITE "${OUTPUT}" "${page}")
