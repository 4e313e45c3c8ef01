# cmake -DPROGRAM=quorvex-cli -DTEMPLATE=quorvex-cli.bash.in -DOUTPUT=FILE -P completion_words.cmake
#
# Writes the bash completion of quorvex-cli with the words the program's own --help gives: its
# options with the value each takes, the kinds and fields of its "Kinds:" and "Fields:" lines and
# the separator words of --separator. Reading the built program, as the manual page does, keeps
# the completion from drifting from the options; a help whose form it no longer finds stops the
# build instead of giving a completion that lacks words.

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(options "")
set(values "")
foreach(line IN LISTS lines)
  if(line MATCHES "^Kinds: (.*)$")
    string(REPLACE ", " " " QUORVEX_CLI_KINDS "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Fields: (.*)$")
    string(REPLACE ", " " " QUORVEX_CLI_FIELDS "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ +((-[-a-z]+, )*-[-a-z]+)( ([^ -][^ ]*))?( +(.*))?$")
    # An option line: its names, the value they take and what it does, as in
    # "  -c, --config FILE      configuration file, ...".
    string(REPLACE ", " ";" names "${CMAKE_MATCH_1}")
    set(value "${CMAKE_MATCH_4}")
    set(description "${CMAKE_MATCH_6}")
    list(APPEND options ${names})
    foreach(name IN LISTS names)
      if(NOT value STREQUAL "")
        string(APPEND values " [${name}]=${value}")
      endif()
    endforeach()
    if(names STREQUAL "--separator")
      # "comma, semicolon, ..., or any other text": the words are the entries of one word.
      string(REPLACE ", " ";" entries "${description}")
      list(FILTER entries INCLUDE REGEX "^[a-z]+$")
      list(JOIN entries " " QUORVEX_CLI_SEPARATORS)
    endif()
  endif()
endforeach()
list(JOIN options " " QUORVEX_CLI_OPTIONS)
string(STRIP "${values}" QUORVEX_CLI_VALUES)

foreach(part QUORVEX_CLI_OPTIONS QUORVEX_CLI_VALUES QUORVEX_CLI_KINDS QUORVEX_CLI_FIELDS
             QUORVEX_CLI_SEPARATORS)
  if(NOT ${part})
    message(FATAL_ERROR "${PROGRAM} --help no longer shows what ${part} is made from")
  endif()
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
