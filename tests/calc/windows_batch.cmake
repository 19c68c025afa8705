# lobrin-calc.exe --batch - under Wine: standard input is read in binary
# (CR LF reaches the reader, a Ctrl-Z byte does not end the input) and the CSV
# written in binary (CR LF as it is, not CR CR LF).
#   cmake -DRUN=<wine-run> -DCALC=<lobrin-calc.exe> -DWORK=<folder> -P windows_batch.cmake
cmake_minimum_required(VERSION 3.25)
string(ASCII 13 cr)
string(ASCII 26 ctrl_z)
set(crlf "${cr}\n")
set(input "h_plane,e_plane,frequency${crlf}32,30,144${crlf}30,30,14${ctrl_z}4${crlf}1,2${crlf}")
set(expected "h_plane,e_plane,frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft${crlf}")
string(APPEND expected "32,30,144,3.77912008181594,12.398688329225,4.02469094287112,13.2043670330093${crlf}")
string(APPEND expected "30,30,14${ctrl_z}4,4.02469094287112,13.2043670330093,4.02469094287112,13.2043670330093${crlf}")

file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/antennas.csv" "${input}")
# Files, not pipes: Wine's services keep a pipe open after the program ends.
execute_process(COMMAND "${RUN}" "${CALC}" --batch -
                INPUT_FILE "${WORK}/antennas.csv" OUTPUT_FILE "${WORK}/out.csv" ERROR_FILE "${WORK}/err.txt"
                RESULT_VARIABLE status TIMEOUT 60)
# Compared as hex: file(READ) as text drops the CR of CR LF.
file(READ "${WORK}/out.csv" out HEX)
file(READ "${WORK}/err.txt" err)
string(HEX "${expected}" expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "lobrin-calc.exe wrote (hex):\n${out}\nexpected:\n${expected}")
endif()
if(NOT err MATCHES "^lobrin-calc: standard input:4: 2 fields, expected 3")
  message(FATAL_ERROR "lobrin-calc.exe reported: ${err}")
endif()
if(NOT status EQUAL 1)
  message(FATAL_ERROR "lobrin-calc.exe ended with ${status}, not 1")
endif()
