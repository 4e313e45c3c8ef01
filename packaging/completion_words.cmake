# cmake -DPROGRAM=quorvex-cli -DTEMPLATE=quorvex-cli.bash.in -DOUTPUT=FILE -P completion_words.cmake
#
# Writes the bash completion of quorvex-cli with the words the program's own --help gives: its
# options with the value each takes, and the words listed one a line under its "Kinds", "Fields"
# and "Separators" headings. Reading the built program, as the manual page does, keeps the
# completion from drifting from the options; a help whose form it no longer finds stops the build
# instead of giving a completion that lacks words.

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(options "")
set(values "")
set(words_of "")
foreach(part KINDS FIELDS SEPARATORS)
  set(QUORVEX_CLI_${part} "")
endforeach()
foreach(line IN LISTS lines)
  if(line MATCHES "^(Kinds|Fields|Separators)[ ,]")
    # A list of words, one a line as in "  points                 each point (POINT)", up to the
    # next empty line.
    string(TOUPPER "${CMAKE_MATCH_1}" words_of)
  elseif(line STREQUAL "")
    set(words_of "")
  elseif(words_of AND line MATCHES "^  ([a-z][-a-z0-9.]*)  ")
    # The separators' "text:STRING" is no word to complete.
    list(APPEND QUORVEX_CLI_${words_of} ${CMAKE_MATCH_1})
  elseif(line MATCHES "^ +((-[-a-z]+, )*-[-a-z]+)( ([^ -][^ ]*))?( +(.*))?$")
    # An option line: its names and the value they take, as in
    # "  -c, --config FILE      configuration file, ...".
    string(REPLACE ", " ";" names "${CMAKE_MATCH_1}")
    set(value "${CMAKE_MATCH_4}")
    list(APPEND options ${names})
    foreach(name IN LISTS names)
      if(NOT value STREQUAL "")
        string(APPEND values " [${name}]=${value}")
      endif()
    endforeach()
  endif()
endforeach()
list(JOIN options " " QUORVEX_CLI_OPTIONS)
string(STRIP "${values}" QUORVEX_CLI_VALUES)
foreach(part KINDS FIELDS SEPARATORS)
  list(JOIN QUORVEX_CLI_${part} " " QUORVEX_CLI_${part})
endforeach()

foreach(part QUORVEX_CLI_OPTIONS QUORVEX_CLI_VALUES QUORVEX_CLI_KINDS QUORVEX_CLI_FIELDS
             QUORVEX_CLI_SEPARATORS)
  if(NOT ${part})
    message(FATAL_ERROR "${PROGRAM} --help no longer shows what ${part} is made from")
  endif()
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
