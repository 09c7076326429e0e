# Writes one program's manual page with help2man from the built program's --help and --version,
# so that the page never disagrees with the program, and compresses it as Debian installs pages.
# For a program with subcommands (CLI11's "Subcommands:" list in --help) a COMMANDS section
# gathers each subcommand's own --help.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DSUMMARY=... -DINCLUDE=... -DOUTPUT=page.1 -P this-file

# Roff text of one line of --help: backslashes and leading control characters made literal.
function(roff_text line result)
    string(REPLACE "\\" "\\e" line "${line}")
    string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
    set(${result} "${line}" PARENT_SCOPE)
endfunction()

# One subcommand's --help as a subsection: its description, then a tagged paragraph an option.
function(command_section command result)
    execute_process(COMMAND ${PROGRAM} ${command} --help OUTPUT_VARIABLE help
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE ";" "\\;" help "${help}")
    string(REPLACE "\n" ";" lines "${help}")
    set(section ".SS \"${command}\"\n")
    set(in_options FALSE)
    foreach(line IN LISTS lines)
        if(line MATCHES "^Usage:" OR line STREQUAL "")
            continue()
        elseif(line STREQUAL "Options:")
            set(in_options TRUE)
        elseif(NOT in_options)
            roff_text("${line}" text)
            string(APPEND section "${text}\n")
        elseif(NOT line MATCHES "[^ ]   " AND line MATCHES "^  (-[^ ].*[^ ]) *$")
            roff_text("${CMAKE_MATCH_1}" text) # an option whose description is on the next line
            string(REPLACE "-" "\\-" text "${text}")
            string(APPEND section ".TP\n\\fB${text}\\fR\n")
        elseif(line MATCHES "^  (-[^ ]+( [^ ]+)*)  +(.*)$")
            roff_text("${CMAKE_MATCH_1}" option)
            roff_text("${CMAKE_MATCH_3}" text)
            string(REPLACE "-" "\\-" option "${option}")
            string(APPEND section ".TP\n\\fB${option}\\fR\n${text}\n")
        else()
            string(STRIP "${line}" line)
            roff_text("${line}" text)
            string(APPEND section "${text}\n")
        endif()
    endforeach()
    set(${result} "${section}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "\nSubcommands:\n.*" subcommands "${help}")
string(REGEX MATCHALL "\n  [a-z][a-z-]*" commands "${subcommands}")
set(includes --include=${INCLUDE})
if(commands)
    set(text "[COMMANDS]\n")
    foreach(command IN LISTS commands)
        string(STRIP "${command}" command)
        command_section(${command} section)
        string(APPEND text "${section}")
    endforeach()
    file(WRITE ${OUTPUT}.commands "${text}")
    list(APPEND includes --include=${OUTPUT}.commands)
endif()
execute_process(COMMAND ${HELP2MAN} --no-info --section=1 "--name=${SUMMARY}" ${includes}
                        --output=${OUTPUT} ${PROGRAM}
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9nf ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
