# Writes orqcarta.1 and one orqcarta-COMMAND.1 a subcommand from the tool's
# --help texts, so that the pages never drift from the tool.
#   cmake -DORQCARTA=path/to/orqcarta -DOUT=dir -DVERSION=x.y.z -P ManPages.cmake
file(MAKE_DIRECTORY ${OUT})

# Help text as man source: backslashes escaped, and lines that would start
# with a control character ('.' or "'") protected by a zero-width \&.
function(to_man text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

function(write_page name title summary help)
  to_man("${help}" body)
  file(WRITE ${OUT}/${name}.1
    ".TH ${title} 1 \"\" \"orqcarta ${VERSION}\" \"User Commands\"\n"
    ".SH NAME\n${name} \\- ${summary}\n"
    ".SH DESCRIPTION\n.nf\n${body}\n.fi\n"
    ".SH SEE ALSO\norqcarta(1)\n")
endfunction()

execute_process(COMMAND ${ORQCARTA} --help OUTPUT_VARIABLE main RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "orqcarta --help failed")
endif()
write_page(orqcarta ORQCARTA "geodesy, geo-databases and map rendering on the command line" "${main}")

# Subcommands are the indented "  name  description" lines after "SUBCOMMANDS:".
string(REGEX REPLACE ".*[Ss][Uu][Bb][Cc][Oo][Mm][Mm][Aa][Nn][Dd][Ss]:\n" "" list "${main}")
string(REPLACE "\n" ";" lines "${list}")
foreach(line ${lines})
  if(line MATCHES "^  ([a-z][a-z0-9-]*)  +(.*)$")
    set(command ${CMAKE_MATCH_1})
    set(summary "${CMAKE_MATCH_2}")
    execute_process(COMMAND ${ORQCARTA} ${command} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "orqcarta ${command} --help failed")
    endif()
    string(TOUPPER "orqcarta-${command}" title)
    write_page(orqcarta-${command} ${title} "${summary}" "${help}")
  endif()
endforeach()
